#include "video/PictureInPicture.h"

#include <algorithm>
#include <cstring>

namespace {

// Larger insets come only from hand-edited settings; they are left out
// rather than scaled into a picture of gigabytes.
constexpr int kLargestInsetSide = 8192;

}  // namespace

PictureInPicture::PictureInPicture(int width, int height)
    : insetSourceFrame_(width, height, QImage::Format_RGB32) {
    insetSourceFrame_.fill(Qt::black);
}

void PictureInPicture::UpdateSource(const uint8_t* bgrxTopRowFirst) {
    std::lock_guard lock(mutex_);
    // bits() copies first while a drawing thread still holds the old picture.
    std::memcpy(insetSourceFrame_.bits(), bgrxTopRowFirst, insetSourceFrame_.sizeInBytes());
}

void PictureInPicture::SetPlacement(const InsetPlacement& placement) {
    std::lock_guard lock(mutex_);
    placement_ = placement;
}

InsetPlacement PictureInPicture::placement() const {
    std::lock_guard lock(mutex_);
    return placement_;
}

void PictureInPicture::DrawInset(uint8_t* remoteRgb24BottomUp, int width, int height) const {
    QImage source;
    InsetPlacement place;
    {
        std::lock_guard lock(mutex_);
        source = insetSourceFrame_;
        place = placement_;
    }
    if (place.width <= 0 || place.height <= 0 || place.width > kLargestInsetSide ||
        place.height > kLargestInsetSide) {
        return;
    }
    const QRect visible =
        QRect(place.x, place.y, place.width, place.height).intersected(QRect(0, 0, width, height));
    if (visible.isEmpty()) return;
    const QImage inset =
        source.scaled(place.width, place.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    for (int row = visible.top(); row <= visible.bottom(); ++row) {
        const auto* from = reinterpret_cast<const QRgb*>(inset.constScanLine(row - place.y));
        uint8_t* to = remoteRgb24BottomUp +
                      (static_cast<int64_t>(height - 1 - row) * width + visible.left()) * 3;
        for (int col = visible.left(); col <= visible.right(); ++col, to += 3) {
            const QRgb pixel = from[col - place.x];
            to[0] = static_cast<uint8_t>(qBlue(pixel));
            to[1] = static_cast<uint8_t>(qGreen(pixel));
            to[2] = static_cast<uint8_t>(qRed(pixel));
        }
    }
}
