#pragma once

#include <QFont>
#include <QImage>
#include <QString>

#include "video/CaptionSettings.h"

// Draws the caption onto a 32-bit picture (top row first) with weight 900
// at one of six places. Keeps the last font so that a frame costs no font
// lookup while the settings stay the same. One painter per thread.
class CaptionPainter {
public:
    void Draw(QImage& picture, const CaptionSettings& settings, const QString& text);

    static Qt::Alignment AlignmentOf(int captionPositionCode);

private:
    const QFont& FontFor(const CaptionSettings& settings);

    QFont font_;
    QString fontName_;
    int fontsize_ = -1;
};
