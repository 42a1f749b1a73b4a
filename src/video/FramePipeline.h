#pragma once

#include <QImage>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "video/CaptionPainter.h"
#include "video/OverlayText.h"
#include "video/ScreenSource.h"

struct MediaState;
struct MediaCounters;
class CaptionConfig;
class PictureInPicture;
class MessageBoxes;

// Turns every captured camera picture into the YUV frame that is encoded and
// sent: caption and clock, the flip to top row first, the inset source, the
// local preview, the desktop modes and the colour conversion. Runs on the
// capture thread; the shared objects it reads are safe to change meanwhile.
class FramePipeline {
public:
    // Encodes and sends one YUV 4:2:0 frame; called only while the send
    // gate is set.
    using EncodeAndSend = std::function<void(const uint8_t* yuv420, std::size_t lengthBytes)>;
    // The picture as it is sent (captioned camera, or the desktop with the
    // camera inset), for the local picture area; its own copy.
    using PreviewSink = std::function<void(const QImage& picture)>;
    using ScreenOpener = std::function<std::unique_ptr<ScreenSource>()>;

    struct Shared {
        MediaState& mediaState;
        MediaCounters& counters;
        CaptionConfig& caption;
        PictureInPicture& pictureInPicture;
        MessageBoxes& messageBoxes;
    };
    struct Hooks {
        EncodeAndSend encodeAndSend;
        PreviewSink preview;
        TimeOfDaySource timeOfDay = SystemTimeOfDay();
        ScreenOpener openScreen = DefaultScreenOpener();
    };
    static ScreenOpener DefaultScreenOpener();

    FramePipeline(int width, int height, Shared shared, Hooks hooks);

    // frameBottomUp holds width x height 32-bit pixels, bottom row first; a
    // frame of any other length is dropped.
    void ProcessCapturedFrame(const uint8_t* frameBottomUp, std::size_t lengthBytes);

    // The last processed picture and its YUV frame, for tests.
    const QImage& localFrame() const { return localFrame_; }
    const std::vector<uint8_t>& encoderInputFrame() const { return encoderInputFrame_; }

private:
    void CopyFlipped(const uint8_t* frameBottomUp);
    void DrawCaption();
    void ComposeDesktop();
    bool ScreenAvailable();

    int width_;
    int height_;
    Shared shared_;
    Hooks hooks_;
    CaptionPainter captionPainter_;
    QImage localFrame_;
    std::vector<uint8_t> encoderInputFrame_;
    std::unique_ptr<ScreenSource> screen_;
    bool screenOpenTried_ = false;
    QImage desktopFrame_;
};
