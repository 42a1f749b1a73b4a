#pragma once

#include <QFont>
#include <QRect>
#include <QSize>

// Converts dialog units into pixels the way the dialog templates of the
// window were laid out: a horizontal unit is a quarter of the font's average
// character width, a vertical unit an eighth of its height.
class DialogUnits {
public:
    DialogUnits(int baseWidthPx, int baseHeightPx);
    static DialogUnits ForFont(const QFont& font);

    // 黑体 9 pt, or an installed CJK font of the same size where it is missing.
    static QFont DialogFont();

    int X(int dialogUnits) const;
    int Y(int dialogUnits) const;
    QSize Size(int width, int height) const;
    QRect Rect(int left, int top, int width, int height) const;

    int BaseWidthPx() const { return baseWidthPx_; }
    int BaseHeightPx() const { return baseHeightPx_; }

private:
    int baseWidthPx_;
    int baseHeightPx_;
};
