#pragma once

#include <QIcon>
#include <QImage>
#include <QList>

// The toolbar's pictures: one strip of equally wide images, in which the
// colour of the first pixel marks what is transparent.
class ToolbarImages {
public:
    static constexpr int kImageWidthPx = 32;

    static QList<QImage> Slice(const QImage& strip, int imageWidthPx = kImageWidthPx);
    static QList<QIcon> Icons(const QImage& strip, int imageWidthPx = kImageWidthPx);
};
