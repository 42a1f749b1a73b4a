#include "app/DialogUnits.h"

#include <QFontMetrics>
#include <QStringList>

namespace {

// The platform's MulDiv: a * b / c rounded to the nearest integer.
int ScaleRounded(int value, int numerator, int denominator) {
    const long long product = static_cast<long long>(value) * numerator;
    const long long half = denominator / 2;
    return static_cast<int>(product >= 0 ? (product + half) / denominator
                                         : (product - half) / denominator);
}

}  // namespace

DialogUnits::DialogUnits(int baseWidthPx, int baseHeightPx)
    : baseWidthPx_(baseWidthPx > 0 ? baseWidthPx : 1),
      baseHeightPx_(baseHeightPx > 0 ? baseHeightPx : 1) {}

DialogUnits DialogUnits::ForFont(const QFont& font) {
    const QFontMetrics metrics(font);
    // Average width of the 52 Latin letters, rounded as the dialog manager does.
    const int lettersWidth = metrics.horizontalAdvance(
        QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"));
    return DialogUnits((lettersWidth / 26 + 1) / 2, metrics.ascent() + metrics.descent());
}

QFont DialogUnits::DialogFont() {
    QFont font;
    font.setFamilies({QStringLiteral("SimHei"), QStringLiteral("黑体"),
                      QStringLiteral("WenQuanYi Micro Hei"), QStringLiteral("Noto Sans CJK SC"),
                      QStringLiteral("Noto Sans SC")});
    font.setPointSize(9);
    return font;
}

int DialogUnits::X(int dialogUnits) const { return ScaleRounded(dialogUnits, baseWidthPx_, 4); }

int DialogUnits::Y(int dialogUnits) const { return ScaleRounded(dialogUnits, baseHeightPx_, 8); }

QSize DialogUnits::Size(int width, int height) const { return {X(width), Y(height)}; }

QRect DialogUnits::Rect(int left, int top, int width, int height) const {
    return {X(left), Y(top), X(width), Y(height)};
}
