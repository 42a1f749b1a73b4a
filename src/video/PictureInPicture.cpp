#include "video/PictureInPicture.h"

#include <algorithm>
#include <cstring>

namespace {

// Larger insets come only from hand-edited settings; they are left out
// rather than scaled into a picture of gigabytes.
constexpr int kLargestInsetSide = 8192;

}  // namespace

PictureInPicture::PictureInPicture(int width, int height)
    : width_(width), height_(height), insetSourceFrame_(static_cast<size_t>(width) * height * 4) {}

void PictureInPicture::UpdateSource(const uint8_t* bgrxTopRowFirst) {
    std::lock_guard lock(mutex_);
    std::memcpy(insetSourceFrame_.data(), bgrxTopRowFirst, insetSourceFrame_.size());
}

void PictureInPicture::SetPlacement(const InsetPlacement& placement) {
    std::lock_guard lock(mutex_);
    placement_ = placement;
}

InsetPlacement PictureInPicture::placement() const {
    std::lock_guard lock(mutex_);
    return placement_;
}

QImage PictureInPicture::ScaledInset(InsetPlacement& placement) const {
    std::lock_guard lock(mutex_);
    placement = placement_;
    if (placement.width <= 0 || placement.height <= 0 || placement.width > kLargestInsetSide ||
        placement.height > kLargestInsetSide) {
        return QImage();
    }
    const QImage source(insetSourceFrame_.data(), width_, height_, width_ * 4,
                        QImage::Format_RGB32);
    // scaled() to the same size would share the locked bytes instead of copying.
    if (placement.width == width_ && placement.height == height_) return source.copy();
    return source.scaled(placement.width, placement.height, Qt::IgnoreAspectRatio,
                         Qt::SmoothTransformation);
}

void PictureInPicture::DrawInset(uint8_t* remoteRgb24BottomUp, int width, int height) const {
    InsetPlacement place;
    const QImage inset = ScaledInset(place);
    if (inset.isNull()) return;
    const QRect visible =
        QRect(place.x, place.y, place.width, place.height).intersected(QRect(0, 0, width, height));
    if (visible.isEmpty()) return;
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
