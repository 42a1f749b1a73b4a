// TerminalWindow: the command table and the handlers of the window's own
// commands.
#include <QDesktopServices>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QUrl>

#include "app/AboutBox.h"
#include "app/CommandIds.h"
#include "app/MessageBoxes.h"
#include "app/TerminalWindow.h"

namespace {

constexpr const char* kNeedConnection = "请建立连接！";
constexpr const char* kSystemNoteText = "【澜川汇】视频电话终端\n澜川汇 出品";
constexpr const char* kHelpPage = "https://www.example.com/videophone/";
constexpr const char* kCameraSound = "camera.wav";

}  // namespace

void TerminalWindow::RegisterCommands() {
    using namespace CommandId;
    const auto on = [this](int id, auto handler) { commands_.Register(id, handler); };

    on(kAbout, [this] { ShowAbout(); });
    on(kStartService, [this] { StartService(); });
    on(kStopService, [this] { StopService(); });
    on(kCall, [this] { CallCommand(); });
    on(kCallRemote, [this] { CallCommand(); });
    on(kHangUp, [this] { HangUp(); });
    on(kConfiguration, [this] { OpenConfiguration(); });
    on(kToolbarConfiguration, [this] { OpenConfiguration(); });
    RegisterGuardedByCapture(kCaptionSettings, &TerminalWindow::OpenCaptionDialog);
    RegisterGuardedByCapture(kSwitchCamera, &TerminalWindow::OpenCameraSwitch);
    RegisterGuardedByCapture(kImageAdjust, &TerminalWindow::OpenImageAdjust);
    on(kPopupCaptionSettings, [this] { OpenCaptionDialog(); });
    on(kPtzPanel, [this] { OpenPtzPanel(); });
    on(kPopupPtzPanel, [this] { OpenPtzPanel(); });
    for (const int id :
         {kToggleLocalCapture, kToggleVideoSend, kToggleVideoReceive, kToggleAudioSend,
          kToggleAudioReceive, kOneKey, kDesktopPlusVideo, kDesktopOnly, kBeginVideo, kEndVideo}) {
        on(id, [this, id] { RunMediaSwitch(id); });
    }
    on(kSnapshot, [this] { SnapshotCommand(); });
    on(kPopupSnapshot, [this] { SnapshotCommand(); });
    on(kSilentSnapshot, [this] { RequestSnapshot(false); });
    on(kRecord, [this] { RecordCommand(); });
    on(kPopupRecord, [this] { RecordCommand(); });
    on(kPictureInPicture, [this] { TogglePictureInPicture(); });
    on(kPipSettings, [this] { OpenPipSettings(); });
    on(kClearTranscript, [this] { ClearTranscript(); });
    on(kClearTranscriptHidden, [this] { ClearTranscript(); });
    on(kGoToTray, [this] { GoToTray(); });
    on(kExit, [this] { RequestExit(); });
    on(kShowWindow, [this] { ShowFromTray(); });
    on(kSystemNote, [this] { ShowSystemNote(); });
    on(kTrayExit, [this] { TrayExit(); });
    on(kCalledSideSend, [this] { SendChatAsCalledSide(); });
    on(kCallerSend, [this] { SendChatAsCaller(); });
    on(kClearInput, [this] { ClearInput(); });
    on(kMixerPanel, [this] { OpenMixerPanel(); });
    on(kHelp, [this] { OpenHelpPage(); });
    // Toolbar buttons without an action.
    for (const int id : {kSpareRecord, kReceiveVideo, kReceiveAudio, kReceiveDesktop,
                         kDistributionCentre, kSpareButton}) {
        on(id, [] {});
    }
}

void TerminalWindow::RegisterGuardedByCapture(int commandId, void (TerminalWindow::*handler)()) {
    commands_.Register(commandId, [this, handler] {
        if (media_.captureOff.load() == 0) (this->*handler)();
    });
}

bool TerminalWindow::HasCommand(int commandId) const { return commands_.Contains(commandId); }

bool TerminalWindow::RunCommand(int commandId) { return commands_.Run(commandId); }

bool TerminalWindow::RemoteVideoOpenOrSay() {
    if (media_.remoteVideoOpen.load() != 0) return true;
    boxes_.Inform(kNeedConnection);
    return false;
}

void TerminalWindow::SnapshotCommand() {
    if (!RemoteVideoOpenOrSay()) return;
    RequestSnapshot(true);
    PlaySoundCue(QString::fromLatin1(kCameraSound));
}

void TerminalWindow::RecordCommand() {
    if (!RemoteVideoOpenOrSay()) return;
    if (media_.recordingOn.load() != 0) {
        if (!boxes_.Ask("是否结束录像?", "结束录像")) return;
        StopRecording();
        setWindowTitle(QString::fromUtf8(kRecordingEndedCaption));
        return;
    }
    if (!boxes_.Ask("是否开始录像?", "开始录像")) return;
    StartRecording();
    setWindowTitle(QString::fromUtf8(kRecordingCaption));
}

void TerminalWindow::ClearTranscript() { transcript_->clear(); }

void TerminalWindow::ClearInput() {
    input_->clear();
    clearInput_->setEnabled(false);
    calledSideSend_->setEnabled(false);
}

void TerminalWindow::InputChanged() {
    clearInput_->setEnabled(true);
    calledSideSend_->setEnabled(true);
}

void TerminalWindow::TrayExit() {
    trayExitRequested_ = true;
    RequestExit();
}

void TerminalWindow::ShowSystemNote() { boxes_.Inform(kSystemNoteText); }

void TerminalWindow::ShowAbout() {
    AboutBox about(this);
    about.exec();
}

void TerminalWindow::OpenHelpPage() {
    QDesktopServices::openUrl(QUrl(QString::fromLatin1(kHelpPage)));
}
