#include "call/MediaSwitcher.h"

#include <thread>

namespace {
constexpr std::chrono::milliseconds kSwitchPause{100};
}  // namespace

MediaSwitcher::MediaSwitcher(MediaState& media, const CallState& call, MediaEngine& engine,
                             MediaSwitchView& view, MessageBoxes& boxes, Settings settings,
                             Pause pause)
    : media_(media),
      call_(call),
      engine_(engine),
      view_(view),
      boxes_(boxes),
      settings_(std::move(settings)),
      pause_(std::move(pause)) {}

void MediaSwitcher::DefaultPause(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

void MediaSwitcher::Wait100() { pause_(kSwitchPause); }

void MediaSwitcher::ToggleLocalCapture() {
    if (media_.captureOff) {
        media_.captureOff = 0;
        // A capture that fails to start still counts as running, so the
        // next toggle stops it.
        if (!engine_.StartCapture(settings_.deviceIndex())) {
            boxes_.Inform("摄像设备或格式错误！");
        }
    } else {
        engine_.StopCapture();
        media_.captureOff = 1;
    }
}

void MediaSwitcher::ToggleVideoSend() {
    if (media_.videoSendOff) {
        media_.videoSendOpen = 1;
        media_.videoSendOff = 0;
        engine_.OpenVideoSend();
        engine_.AddVideoDestination();
        engine_.OpenEncoder();
        Wait100();
        media_.sendGate = 1;
    } else {
        media_.videoSendOpen = 0;
        media_.sendGate = 0;
        engine_.CloseVideoSend();
        engine_.CloseEncoder();
        Wait100();
        media_.videoSendOff = 1;
    }
}

void MediaSwitcher::ToggleVideoReceive() {
    if (media_.videoReceiveOff) {
        media_.videoReceiveStop = 0;
        Wait100();
        media_.videoReceiveOff = 0;
        engine_.OpenVideoReceive();
        engine_.OpenDecoder();
        engine_.ResetReceivedFrame();
        Wait100();
        engine_.StartVideoReceiveLoop();
        media_.remoteVideoOpen = 1;
        media_.fullPictureFlag = 0;
    } else {
        media_.videoReceiveStop = 1;
        Wait100();
        media_.videoReceiveOff = 1;
        // The loop is joined before its session and decoder go away.
        engine_.StopVideoReceiveLoop();
        engine_.CloseVideoReceive();
        engine_.CloseDecoder();
        Wait100();
        Wait100();
        media_.fullPictureFlag = 0;
        media_.remoteVideoOpen = 0;
        view_.ShowRemoteIdlePicture();
    }
}

void MediaSwitcher::ToggleAudioSend() {
    if (media_.audioSendOff) {
        media_.audioSendOff = 0;
        engine_.OpenAudioSend();
        engine_.AddAudioDestination();
        if (recordThreadPaused_) {
            engine_.ResumeRecordThread();
            recordThreadPaused_ = false;
        }
        engine_.PostRecordStart();
        media_.audioSendOpen = 1;
    } else {
        engine_.PauseRecordThread();
        recordThreadPaused_ = true;
        engine_.CloseAudioSend();
        media_.audioSendOff = 1;
        media_.audioSendOpen = 0;
    }
}

void MediaSwitcher::ToggleAudioReceive() {
    if (media_.audioReceiveOff) {
        media_.audioReceiveOpen = 1;
        engine_.OpenAudioReceive();
        engine_.PostPlayStart();
        engine_.StartAudioReceiveLoop();
        media_.audioReceiveOff = 0;
    } else {
        engine_.PostPlayStop();
        // Ending the loop here keeps at most one loop per session and none
        // on a destroyed session.
        engine_.StopAudioReceiveLoop();
        engine_.CloseAudioReceive();
        media_.audioReceiveOpen = 0;
        media_.audioReceiveOff = 1;
    }
}

void MediaSwitcher::OpenAllMedia() {
    ToggleLocalCapture();
    ToggleVideoSend();
    ToggleVideoReceive();
    ToggleAudioSend();
    ToggleAudioReceive();
    if (settings_.meetingPictureOn()) {
        view_.RunFullPictureView();
    }
}

void MediaSwitcher::CloseAllMedia() {
    ToggleAudioSend();
    ToggleAudioReceive();
    ToggleVideoReceive();
    ToggleLocalCapture();
    ToggleVideoSend();
}

void MediaSwitcher::OneKeyToggle() {
    if (!call_.connected) {
        boxes_.Inform("请建立连接！");
        return;
    }
    if (media_.oneKeyOn) {
        CloseAllMedia();
        media_.oneKeyOn = 0;
    } else {
        OpenAllMedia();
        media_.oneKeyOn = 1;
    }
}

void MediaSwitcher::CloseOneKeyMedia() {
    if (media_.oneKeyOn) {
        CloseAllMedia();
        media_.oneKeyOn = 0;
    }
}

void MediaSwitcher::ToggleDesktopPlusVideo() {
    media_.desktopPlusVideo = media_.desktopPlusVideo ? 0 : 1;
    view_.SetMenuChecked(kDesktopPlusVideoId, media_.desktopPlusVideo != 0);
}

void MediaSwitcher::ToggleDesktopOnly() {
    media_.desktopOnly = media_.desktopOnly ? 0 : 1;
    view_.SetMenuChecked(kDesktopOnlyId, media_.desktopOnly != 0);
}

void MediaSwitcher::BeginVideo() {
    ToggleLocalCapture();
    engine_.OpenVideoSend();
    engine_.AddVideoDestination();
    engine_.OpenEncoder();
    engine_.OpenVideoReceive();
    engine_.StartVideoReceiveLoop();
    media_.sendGate = 1;
    media_.remoteVideoOpen = 1;
}

void MediaSwitcher::EndVideo() {
    // The gate closes first so that no frame reaches a closed encoder.
    media_.sendGate = 0;
    engine_.CloseEncoder();
}

void MediaSwitcher::SignalReceiveThreadsToStop() {
    media_.videoReceiveStop = 1;
    media_.audioReceiveStop = 1;
    Wait100();
}

void MediaSwitcher::CloseOpenStreams() {
    if (media_.videoSendOpen) {
        media_.sendGate = 0;
        engine_.CloseEncoder();
        engine_.CloseVideoSend();
    }
    if (media_.audioSendOpen) {
        engine_.PauseRecordThread();
        recordThreadPaused_ = true;
        engine_.CloseAudioSend();
    }
    if (media_.remoteVideoOpen) {
        media_.videoReceiveStop = 1;
        engine_.StopVideoReceiveLoop();
        engine_.CloseDecoder();
        engine_.CloseVideoReceive();
    }
    if (media_.audioReceiveOpen) {
        engine_.PostPlayEnd();
        engine_.StopAudioReceiveLoop();
        engine_.CloseAudioReceive();
    }
}

void MediaSwitcher::StopReceiveThreads() {
    // The loops were joined when their streams were closed; the pauses stay
    // so the exit keeps its rhythm.
    if (media_.remoteVideoOpen) {
        Wait100();
    }
    if (media_.audioReceiveOpen) {
        Wait100();
    }
}

bool MediaSwitcher::Dispatch(int commandId) {
    switch (commandId) {
        case kToggleLocalCaptureId:
            ToggleLocalCapture();
            return true;
        case kToggleVideoSendId:
            ToggleVideoSend();
            return true;
        case kToggleVideoReceiveId:
            ToggleVideoReceive();
            return true;
        case kToggleAudioSendId:
            ToggleAudioSend();
            return true;
        case kToggleAudioReceiveId:
            ToggleAudioReceive();
            return true;
        case kOneKeyId:
            OneKeyToggle();
            return true;
        case kDesktopPlusVideoId:
            ToggleDesktopPlusVideo();
            return true;
        case kDesktopOnlyId:
            ToggleDesktopOnly();
            return true;
        case kBeginButtonId:
            BeginVideo();
            return true;
        case kEndButtonId:
            EndVideo();
            return true;
        default:
            return false;
    }
}
