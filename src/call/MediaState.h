#pragma once

#include <atomic>
#include <cstdint>

// The media flags that the switches set on the window's thread and that the
// capture, receive, display and recording threads read. Every flag is atomic
// because those threads read them while the window's thread writes them.
// Each stream has a toggle state ("...Off", 1 = closed) that decides what the
// next toggle does and an open flag ("...Open") that tells the exit path what
// to close.
struct MediaState {
    std::atomic<int32_t> captureOff{1};
    std::atomic<int32_t> videoSendOff{1};
    std::atomic<int32_t> videoSendOpen{0};
    std::atomic<int32_t> sendGate{0};
    std::atomic<int32_t> videoReceiveOff{1};
    std::atomic<int32_t> videoReceiveStop{0};
    std::atomic<int32_t> remoteVideoOpen{0};
    std::atomic<int32_t> fullPictureFlag{0};
    std::atomic<int32_t> audioSendOff{1};
    std::atomic<int32_t> audioSendOpen{0};
    std::atomic<int32_t> audioReceiveOff{1};
    std::atomic<int32_t> audioReceiveOpen{0};
    std::atomic<int32_t> audioReceiveStop{0};
    std::atomic<uint8_t> desktopPlusVideo{0};
    std::atomic<uint8_t> desktopOnly{0};
    std::atomic<int32_t> oneKeyOn{0};
    // Picture-in-picture of the local picture inside the remote one.
    std::atomic<int32_t> pipOn{0};
    // An AVI recording of the remote picture is running.
    std::atomic<int32_t> recordingOn{0};
};
