#include "video/FramePipeline.h"

#include <cstring>

#include "app/MessageBoxes.h"
#include "call/MediaCounters.h"
#include "call/MediaState.h"
#include "video/CaptionConfig.h"
#include "video/ConvertRgb32ToYuv420.h"
#include "video/DesktopComposition.h"
#include "video/PictureInPicture.h"
#include "video/X11ScreenSource.h"

namespace {

const char* const kNoDesktopMessage = "无法获取桌面图像，桌面模式将发送摄像机图像。";

}  // namespace

FramePipeline::ScreenOpener FramePipeline::DefaultScreenOpener() { return X11ScreenSource::Open; }

FramePipeline::FramePipeline(int width, int height, Shared shared, Hooks hooks)
    : width_(width),
      height_(height),
      shared_(shared),
      hooks_(std::move(hooks)),
      localFrame_(width, height, QImage::Format_RGB32),
      encoderInputFrame_(static_cast<size_t>(width) * height * 3 / 2) {}

void FramePipeline::ProcessCapturedFrame(const uint8_t* frameBottomUp, std::size_t lengthBytes) {
    if (frameBottomUp == nullptr || lengthBytes != static_cast<size_t>(localFrame_.sizeInBytes())) {
        return;
    }
    shared_.counters.framesCaptured.fetch_add(1);
    // The caption goes on after the flip: the picture is the same as drawing
    // it into the bottom-up frame first, and it costs no second copy.
    CopyFlipped(frameBottomUp);
    DrawCaption();
    shared_.pictureInPicture.UpdateSource(localFrame_.constBits());
    if (shared_.mediaState.desktopPlusVideo.load() != 0) ComposeDesktop();
    // The local area shows what is sent: in desktop mode the screen with
    // the camera inset.
    if (hooks_.preview) hooks_.preview(localFrame_.copy());
    ConvertRgb32ToYuv420(width_, height_, localFrame_.constBits(), encoderInputFrame_.data());
    if (shared_.mediaState.sendGate.load() != 0 && hooks_.encodeAndSend) {
        hooks_.encodeAndSend(encoderInputFrame_.data(), encoderInputFrame_.size());
    }
}

void FramePipeline::CopyFlipped(const uint8_t* frameBottomUp) {
    const size_t rowBytes = static_cast<size_t>(width_) * 4;
    for (int row = 0; row < height_; ++row) {
        std::memcpy(localFrame_.scanLine(row), frameBottomUp + rowBytes * (height_ - 1 - row),
                    rowBytes);
    }
}

void FramePipeline::DrawCaption() {
    const CaptionSettings settings = shared_.caption.Get();
    if (!settings.captionOn) return;
    captionPainter_.Draw(localFrame_, settings, OverlayText(settings, hooks_.timeOfDay()));
}

bool FramePipeline::ScreenAvailable() {
    if (!screenOpenTried_) {
        screenOpenTried_ = true;
        if (hooks_.openScreen) screen_ = hooks_.openScreen();
        if (!screen_) shared_.messageBoxes.Inform(kNoDesktopMessage);
    }
    return screen_ != nullptr;
}

void FramePipeline::ComposeDesktop() {
    if (!ScreenAvailable()) return;
    // A failed copy keeps the last one.
    QImage grabbed = screen_->Grab();
    if (!grabbed.isNull()) desktopFrame_ = std::move(grabbed);
    if (desktopFrame_.isNull()) return;
    const bool withCameraInset = shared_.mediaState.desktopOnly.load() == 0;
    ComposeDesktopPicture(ScaleDesktopToFrame(desktopFrame_, width_, height_), withCameraInset,
                          localFrame_);
}
