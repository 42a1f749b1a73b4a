#pragma once

#include <atomic>
#include <cstdint>
#include <ctime>
#include <functional>
#include <mutex>
#include <span>
#include <string>

#include "app/MessageBoxes.h"
#include "call/MediaCounters.h"
#include "call/MediaState.h"

// Snapshots of the remote picture. The command on the window's thread only
// raises a request and plays the shutter cue; the receive thread writes the
// next picture it shows as "<camerapath>/%Y%m%d%H%M%S.bmp".
class SnapshotWriter {
public:
    using Clock = std::function<std::time_t()>;
    using ShutterCue = std::function<void()>;

    SnapshotWriter(MessageBoxes& boxes, const MediaState& state, MediaCounters& counters,
                   ShutterCue playShutter, Clock clock = {});

    // The snapshot folder (`camerapath`); may change while pictures arrive.
    void SetFolder(std::string folder);

    // Window's thread. Without remote video: "请建立连接！" and no sound.
    void RequestSnapshot();
    bool IsRequested() const;

    // Receive thread: writes `rgb24BottomUp` when a snapshot is pending and
    // clears the request, even when the file cannot be created.
    void WritePending(std::span<const uint8_t> rgb24BottomUp, int width, int height);

    // "%Y%m%d%H%M%S.bmp" of the local time `when`.
    static std::string FileNameAt(std::time_t when);

private:
    std::string PathNow() const;

    MessageBoxes& boxes_;
    const MediaState& state_;
    MediaCounters& counters_;
    const ShutterCue playShutter_;
    const Clock clock_;
    std::atomic<bool> requested_{false};
    mutable std::mutex folderMutex_;
    std::string folder_;
};
