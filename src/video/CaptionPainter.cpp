#include "video/CaptionPainter.h"

#include <QPainter>
#include <algorithm>

namespace {

constexpr int kDefaultFontsize = 24;
constexpr int kLargestFontsize = 1024;

// Faces tried after the configured one, so that Chinese captions draw on a
// machine without the configured face.
const QStringList kCjkFallbacks{QStringLiteral("WenQuanYi Micro Hei"),
                                QStringLiteral("Noto Sans CJK SC"), QStringLiteral("Noto Sans SC")};

// A cell height of 0 (an empty or non-numeric setting) means the default
// size, a negative one its magnitude; huge values are capped.
int PixelSizeOf(int fontsize) {
    if (fontsize == 0) return kDefaultFontsize;
    return std::clamp(fontsize < 0 ? -fontsize : fontsize, 1, kLargestFontsize);
}

QColor ColourOf(uint32_t captionColour) {
    return QColor(captionColour & 0xFF, (captionColour >> 8) & 0xFF, (captionColour >> 16) & 0xFF);
}

}  // namespace

Qt::Alignment CaptionPainter::AlignmentOf(int captionPositionCode) {
    Qt::Alignment alignment = (captionPositionCode & 8) ? Qt::AlignBottom : Qt::AlignTop;
    switch (captionPositionCode & 3) {
        case 1:
            return alignment | Qt::AlignHCenter;
        case 2:
            return alignment | Qt::AlignRight;
        default:
            return alignment | Qt::AlignLeft;
    }
}

const QFont& CaptionPainter::FontFor(const CaptionSettings& settings) {
    if (settings.fontName != fontName_ || settings.fontsize != fontsize_) {
        QStringList families{settings.fontName};
        families += kCjkFallbacks;
        font_ = QFont();
        font_.setFamilies(families);
        font_.setPixelSize(PixelSizeOf(settings.fontsize));
        font_.setWeight(QFont::Black);
        fontName_ = settings.fontName;
        fontsize_ = settings.fontsize;
    }
    return font_;
}

void CaptionPainter::Draw(QImage& picture, const CaptionSettings& settings, const QString& text) {
    if (text.isEmpty()) return;
    QPainter painter(&picture);
    painter.setFont(FontFor(settings));
    const QRect area = picture.rect();
    const int flags = Qt::TextSingleLine | AlignmentOf(settings.captionPositionCode);
    if (!settings.transparentBackground) {
        painter.fillRect(painter.boundingRect(area, flags, text).intersected(area), Qt::white);
    }
    painter.setPen(ColourOf(settings.captionColour));
    painter.drawText(area, flags, text);
}
