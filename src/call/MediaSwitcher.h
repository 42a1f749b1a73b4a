#pragma once

#include <chrono>
#include <functional>

#include "app/MessageBoxes.h"
#include "call/CallState.h"
#include "call/MediaEngine.h"
#include "call/MediaState.h"
#include "call/MediaSwitchView.h"

// The five media toggles, the one-key operation, the desktop switches and the
// closing of open streams at exit. Runs on the window's thread. Each toggle
// flips one stream end to end in a fixed order, with fixed pauses that give
// the worker threads time to see a flag change; receive loops are stopped and
// joined before their session goes away.
class MediaSwitcher {
public:
    using Pause = std::function<void(std::chrono::milliseconds)>;

    struct Settings {
        std::function<int()> deviceIndex;
        // `meetingpicture` is exactly "Y".
        std::function<bool()> meetingPictureOn;
    };

    static constexpr int kToggleLocalCaptureId = 32777;
    static constexpr int kToggleVideoSendId = 32778;
    static constexpr int kToggleVideoReceiveId = 32779;
    static constexpr int kToggleAudioSendId = 32780;
    static constexpr int kToggleAudioReceiveId = 32781;
    static constexpr int kOneKeyId = 32834;
    static constexpr int kDesktopPlusVideoId = 32869;
    static constexpr int kDesktopOnlyId = 32870;
    static constexpr int kBeginButtonId = 1221;
    static constexpr int kEndButtonId = 1222;

    MediaSwitcher(MediaState& media, const CallState& call, MediaEngine& engine,
                  MediaSwitchView& view, MessageBoxes& boxes, Settings settings,
                  Pause pause = DefaultPause);

    void ToggleLocalCapture();
    void ToggleVideoSend();
    void ToggleVideoReceive();
    void ToggleAudioSend();
    void ToggleAudioReceive();

    void OpenAllMedia();
    void CloseAllMedia();
    void OneKeyToggle();
    // A call ended: what one-key opened is closed.
    void CloseOneKeyMedia();

    void ToggleDesktopPlusVideo();
    void ToggleDesktopOnly();

    // The hidden "begin" and "end" buttons.
    void BeginVideo();
    void EndVideo();

    // Exit path: stop flags, then every open stream closed in a fixed order,
    // then the receive threads (already joined here) and their pauses.
    void SignalReceiveThreadsToStop();
    void CloseOpenStreams();
    void StopReceiveThreads();

    // Runs the command with one of the ids above; false for another id.
    bool Dispatch(int commandId);

private:
    static void DefaultPause(std::chrono::milliseconds duration);
    void Wait100();

    MediaState& media_;
    const CallState& call_;
    MediaEngine& engine_;
    MediaSwitchView& view_;
    MessageBoxes& boxes_;
    Settings settings_;
    Pause pause_;
    // The capture thread was paused by a switch and awaits a resume.
    bool recordThreadPaused_ = false;
};
