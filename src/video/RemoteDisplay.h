#pragma once

#include <QImage>
#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

#include "call/MediaCounters.h"
#include "call/MediaState.h"

// Where a remote picture is to be drawn.
enum class DisplayTarget { RemoteArea, FullPicture };

// The display path of the remote picture, run on the receive thread for
// every decoded picture: colour conversion into `RemoteFrame`, the inset, a
// pending snapshot, then the picture handed to the window's thread. Nothing
// here paints; the picture sink queues the image to the window.
class RemoteDisplay {
public:
    // Draws the local picture into the remote one (24-bit, bottom-up).
    using InsetDrawer = std::function<void(uint8_t* rgb24BottomUp, int width, int height)>;
    // Writes a pending snapshot of the picture about to be shown.
    using SnapshotTaker =
        std::function<void(std::span<const uint8_t> rgb24BottomUp, int width, int height)>;
    // Receives the finished picture, top row first; must only queue it.
    using PictureSink = std::function<void(const QImage& picture, DisplayTarget target)>;

    struct Hooks {
        InsetDrawer drawInset;
        SnapshotTaker takeSnapshot;
        PictureSink showPicture;
    };

    RemoteDisplay(int width, int height, const MediaState& state, MediaCounters& counters,
                  Hooks hooks);

    // `i420` is one decoded picture of width * height * 3 / 2 bytes.
    void ShowRemoteFrame(std::span<const uint8_t> i420);

    // Copies the latest remote picture (24-bit, bottom-up, with the inset if
    // one was drawn) for the recorder; false before the first picture.
    bool CopyLatestPicture(std::vector<uint8_t>& rgb24BottomUp) const;

    int Width() const { return width_; }
    int Height() const { return height_; }

private:
    QImage TopRowFirstImage() const;

    const int width_;
    const int height_;
    const MediaState& state_;
    MediaCounters& counters_;
    const Hooks hooks_;
    mutable std::mutex frameMutex_;
    std::vector<uint8_t> remoteFrame_;
    bool havePicture_ = false;
};
