#include "video/RemoteDisplay.h"

#include "video/ConvertYuv420ToRgb24.h"

RemoteDisplay::RemoteDisplay(int width, int height, const MediaState& state,
                             MediaCounters& counters, Hooks hooks)
    : width_(width),
      height_(height),
      state_(state),
      counters_(counters),
      hooks_(std::move(hooks)),
      remoteFrame_(static_cast<std::size_t>(width) * height * 3) {}

void RemoteDisplay::ShowRemoteFrame(std::span<const uint8_t> i420) {
    const std::size_t lumaBytes = static_cast<std::size_t>(width_) * height_;
    if (i420.size() < lumaBytes * 3 / 2) return;

    QImage picture;
    {
        std::lock_guard lock(frameMutex_);
        ConvertYuv420ToRgb24(i420.data(), i420.data() + lumaBytes, i420.data() + lumaBytes * 5 / 4,
                             remoteFrame_.data(), width_, height_);
        if (state_.pipOn.load() != 0 && hooks_.drawInset) {
            hooks_.drawInset(remoteFrame_.data(), width_, height_);
        }
        havePicture_ = true;
        if (hooks_.takeSnapshot) hooks_.takeSnapshot(remoteFrame_, width_, height_);
        picture = TopRowFirstImage();
    }
    const DisplayTarget target =
        state_.fullPictureFlag.load() != 0 ? DisplayTarget::FullPicture : DisplayTarget::RemoteArea;
    if (hooks_.showPicture) hooks_.showPicture(picture, target);
    counters_.framesShown.fetch_add(1, std::memory_order_relaxed);
}

QImage RemoteDisplay::TopRowFirstImage() const {
    const QImage bottomUp(remoteFrame_.data(), width_, height_, width_ * 3, QImage::Format_BGR888);
    return bottomUp.mirrored(false, true);
}

bool RemoteDisplay::CopyLatestPicture(std::vector<uint8_t>& rgb24BottomUp) const {
    std::lock_guard lock(frameMutex_);
    if (!havePicture_) return false;
    rgb24BottomUp = remoteFrame_;
    return true;
}
