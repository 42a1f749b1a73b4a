#include "app/ToolbarImages.h"

#include <QPixmap>

QList<QImage> ToolbarImages::Slice(const QImage& strip, int imageWidthPx) {
    QList<QImage> images;
    if (strip.isNull() || imageWidthPx <= 0) return images;
    const QImage argb = strip.convertToFormat(QImage::Format_ARGB32);
    const QRgb transparentColour = argb.pixel(0, 0);
    for (int left = 0; left + imageWidthPx <= argb.width(); left += imageWidthPx) {
        QImage image = argb.copy(left, 0, imageWidthPx, argb.height());
        for (int y = 0; y < image.height(); ++y) {
            auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
            for (int x = 0; x < image.width(); ++x) {
                if (row[x] == transparentColour) row[x] = qRgba(0, 0, 0, 0);
            }
        }
        images.append(image);
    }
    return images;
}

QList<QIcon> ToolbarImages::Icons(const QImage& strip, int imageWidthPx) {
    QList<QIcon> icons;
    for (const QImage& image : Slice(strip, imageWidthPx)) {
        icons.append(QIcon(QPixmap::fromImage(image)));
    }
    return icons;
}
