#include "call/MediaSwitcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Records every engine and view call, and every pause, in one list so that
// the order of a switch sequence can be read off as a whole.
struct Recorder {
    std::vector<std::string> calls;
    void Add(const std::string& call) { calls.push_back(call); }
};

class RecordingEngine : public MediaEngine {
public:
    explicit RecordingEngine(Recorder& r) : r_(r) {}
    bool captureStarts = true;

    bool StartCapture(int deviceIndex) override {
        r_.Add("StartCapture " + std::to_string(deviceIndex));
        return captureStarts;
    }
    void StopCapture() override { r_.Add("StopCapture"); }
    void OpenVideoSend() override { r_.Add("OpenVideoSend"); }
    void AddVideoDestination() override { r_.Add("AddVideoDestination"); }
    void CloseVideoSend() override { r_.Add("CloseVideoSend"); }
    void OpenEncoder() override { r_.Add("OpenEncoder"); }
    void CloseEncoder() override { r_.Add("CloseEncoder"); }
    void OpenVideoReceive() override { r_.Add("OpenVideoReceive"); }
    void CloseVideoReceive() override { r_.Add("CloseVideoReceive"); }
    void OpenDecoder() override { r_.Add("OpenDecoder"); }
    void CloseDecoder() override { r_.Add("CloseDecoder"); }
    void ResetReceivedFrame() override { r_.Add("ResetReceivedFrame"); }
    void StartVideoReceiveLoop() override { r_.Add("StartVideoReceiveLoop"); }
    void StopVideoReceiveLoop() override { r_.Add("StopVideoReceiveLoop"); }
    void OpenAudioSend() override { r_.Add("OpenAudioSend"); }
    void AddAudioDestination() override { r_.Add("AddAudioDestination"); }
    void CloseAudioSend() override { r_.Add("CloseAudioSend"); }
    void ResumeRecordThread() override { r_.Add("ResumeRecordThread"); }
    void PauseRecordThread() override { r_.Add("PauseRecordThread"); }
    void PostRecordStart() override { r_.Add("PostRecordStart"); }
    void OpenAudioReceive() override { r_.Add("OpenAudioReceive"); }
    void CloseAudioReceive() override { r_.Add("CloseAudioReceive"); }
    void PostPlayStart() override { r_.Add("PostPlayStart"); }
    void PostPlayStop() override { r_.Add("PostPlayStop"); }
    void PostPlayEnd() override { r_.Add("PostPlayEnd"); }
    void StartAudioReceiveLoop() override { r_.Add("StartAudioReceiveLoop"); }
    void StopAudioReceiveLoop() override { r_.Add("StopAudioReceiveLoop"); }

private:
    Recorder& r_;
};

class RecordingView : public MediaSwitchView {
public:
    RecordingView(Recorder& r, MediaState& media) : r_(r), media_(media) {}
    std::vector<std::pair<int, bool>> checks;
    int oneKeyOnDuringView = -1;

    void ShowRemoteIdlePicture() override { r_.Add("ShowRemoteIdlePicture"); }
    void RunFullPictureView() override {
        r_.Add("RunFullPictureView");
        oneKeyOnDuringView = media_.oneKeyOn;
    }
    void SetMenuChecked(int commandId, bool checked) override {
        checks.emplace_back(commandId, checked);
    }

private:
    Recorder& r_;
    MediaState& media_;
};

class RecordingBoxes : public MessageBoxes {
public:
    std::vector<std::string> texts;
    void Inform(const std::string& text, const std::string&) override { texts.push_back(text); }
    bool Ask(const std::string&, const std::string&) override { return true; }
};

class MediaSwitcherTest : public ::testing::Test {
protected:
    MediaState media;
    CallState call;
    Recorder recorder;
    RecordingEngine engine{recorder};
    RecordingView view{recorder, media};
    RecordingBoxes boxes;
    bool meetingPicture = false;
    MediaSwitcher switcher{media,
                           call,
                           engine,
                           view,
                           boxes,
                           {[] { return 2; }, [this] { return meetingPicture; }},
                           [this](std::chrono::milliseconds ms) {
                               recorder.Add("pause " + std::to_string(ms.count()));
                           }};

    std::vector<std::string> TakeCalls() {
        auto calls = recorder.calls;
        recorder.calls.clear();
        return calls;
    }
};

const std::vector<std::string> kOneKeyOpen = {
    "StartCapture 2",
    "OpenVideoSend",
    "AddVideoDestination",
    "OpenEncoder",
    "pause 100",
    "pause 100",
    "OpenVideoReceive",
    "OpenDecoder",
    "ResetReceivedFrame",
    "pause 100",
    "StartVideoReceiveLoop",
    "OpenAudioSend",
    "AddAudioDestination",
    "PostRecordStart",
    "OpenAudioReceive",
    "PostPlayStart",
    "StartAudioReceiveLoop",
};

const std::vector<std::string> kOneKeyClose = {
    "PauseRecordThread",
    "CloseAudioSend",
    "PostPlayStop",
    "StopAudioReceiveLoop",
    "CloseAudioReceive",
    "pause 100",
    "StopVideoReceiveLoop",
    "CloseVideoReceive",
    "CloseDecoder",
    "pause 100",
    "pause 100",
    "ShowRemoteIdlePicture",
    "StopCapture",
    "CloseVideoSend",
    "CloseEncoder",
    "pause 100",
};

TEST_F(MediaSwitcherTest, OneKeyWithoutCallOnlyAsksForAConnection) {
    switcher.OneKeyToggle();
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"请建立连接！"});
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(media.oneKeyOn, 0);
}

TEST_F(MediaSwitcherTest, OneKeyOpensAllInOrderAndTheSecondPressClosesExactlyThat) {
    call.connected = true;
    switcher.OneKeyToggle();
    EXPECT_EQ(TakeCalls(), kOneKeyOpen);
    EXPECT_EQ(media.oneKeyOn, 1);
    EXPECT_EQ(media.captureOff, 0);
    EXPECT_EQ(media.sendGate, 1);
    EXPECT_EQ(media.videoSendOpen, 1);
    EXPECT_EQ(media.remoteVideoOpen, 1);
    EXPECT_EQ(media.audioSendOpen, 1);
    EXPECT_EQ(media.audioReceiveOpen, 1);

    switcher.OneKeyToggle();
    EXPECT_EQ(TakeCalls(), kOneKeyClose);
    MediaState initial;
    for (auto flag :
         {&MediaState::captureOff, &MediaState::videoSendOff, &MediaState::videoSendOpen,
          &MediaState::sendGate, &MediaState::videoReceiveOff, &MediaState::remoteVideoOpen,
          &MediaState::audioSendOff, &MediaState::audioSendOpen, &MediaState::audioReceiveOff,
          &MediaState::audioReceiveOpen, &MediaState::oneKeyOn}) {
        EXPECT_EQ((media.*flag).load(), (initial.*flag).load());
    }
}

TEST_F(MediaSwitcherTest, ReopeningAudioSendingResumesThePausedCaptureThread) {
    call.connected = true;
    switcher.OneKeyToggle();
    switcher.OneKeyToggle();
    TakeCalls();
    switcher.ToggleAudioSend();
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"OpenAudioSend", "AddAudioDestination",
                                                     "ResumeRecordThread", "PostRecordStart"}));
}

TEST_F(MediaSwitcherTest, MeetingViewRunsAtTheEndOfTheOpenBeforeOneKeyIsSet) {
    call.connected = true;
    meetingPicture = true;
    switcher.OneKeyToggle();
    EXPECT_EQ(recorder.calls.back(), "RunFullPictureView");
    EXPECT_EQ(view.oneKeyOnDuringView, 0);
    EXPECT_EQ(media.oneKeyOn, 1);
}

TEST_F(MediaSwitcherTest, CallEndClosesOnlyWhatOneKeyOpened) {
    switcher.ToggleAudioSend();
    TakeCalls();
    switcher.CloseOneKeyMedia();
    EXPECT_TRUE(recorder.calls.empty());
    EXPECT_EQ(media.audioSendOpen, 1);

    call.connected = true;
    switcher.ToggleAudioSend();
    switcher.OneKeyToggle();
    TakeCalls();
    switcher.CloseOneKeyMedia();
    EXPECT_EQ(TakeCalls(), kOneKeyClose);
    EXPECT_EQ(media.oneKeyOn, 0);
}

TEST_F(MediaSwitcherTest, CaptureThatFailsToStartIsReportedAndStillCountsAsRunning) {
    engine.captureStarts = false;
    switcher.ToggleLocalCapture();
    EXPECT_EQ(boxes.texts, std::vector<std::string>{"摄像设备或格式错误！"});
    EXPECT_EQ(media.captureOff, 0);
    TakeCalls();
    switcher.ToggleLocalCapture();
    EXPECT_EQ(TakeCalls(), std::vector<std::string>{"StopCapture"});
}

TEST_F(MediaSwitcherTest, DesktopSwitchesFlipTheirFlagsAndCheckMarksIndependently) {
    switcher.Dispatch(MediaSwitcher::kDesktopPlusVideoId);
    switcher.Dispatch(MediaSwitcher::kDesktopOnlyId);
    switcher.Dispatch(MediaSwitcher::kDesktopPlusVideoId);
    EXPECT_EQ(media.desktopPlusVideo, 0);
    EXPECT_EQ(media.desktopOnly, 1);
    EXPECT_EQ(view.checks,
              (std::vector<std::pair<int, bool>>{{32869, true}, {32870, true}, {32869, false}}));
}

TEST_F(MediaSwitcherTest, ExitClosesEveryOpenStreamWithLoopsJoinedBeforeTheirSessions) {
    call.connected = true;
    switcher.OneKeyToggle();
    TakeCalls();
    switcher.SignalReceiveThreadsToStop();
    switcher.CloseOpenStreams();
    switcher.StopReceiveThreads();
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{
                               "pause 100", "CloseEncoder", "CloseVideoSend", "PauseRecordThread",
                               "CloseAudioSend", "StopVideoReceiveLoop", "CloseDecoder",
                               "CloseVideoReceive", "PostPlayEnd", "StopAudioReceiveLoop",
                               "CloseAudioReceive", "pause 100", "pause 100"}));
    EXPECT_EQ(media.videoReceiveStop, 1);
    EXPECT_EQ(media.audioReceiveStop, 1);
    EXPECT_EQ(media.sendGate, 0);
}

TEST_F(MediaSwitcherTest, ExitWhileIdleTouchesNoStream) {
    switcher.SignalReceiveThreadsToStop();
    switcher.CloseOpenStreams();
    switcher.StopReceiveThreads();
    EXPECT_EQ(TakeCalls(), std::vector<std::string>{"pause 100"});
}

TEST_F(MediaSwitcherTest, DispatchRejectsForeignIds) {
    EXPECT_FALSE(switcher.Dispatch(32810));
    EXPECT_TRUE(recorder.calls.empty());
}

}  // namespace
