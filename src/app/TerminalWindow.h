#pragma once

#include <QDialog>
#include <QImage>
#include <QJsonObject>
#include <QSize>
#include <map>

#include "app/CommandTable.h"
#include "app/DialogUnits.h"
#include "call/CallState.h"
#include "call/MediaCounters.h"
#include "call/MediaState.h"
#include "call/MediaSwitchView.h"

class FullPictureView;
class MessageBoxes;
class PictureArea;
class QAction;
class QMenu;
class QMenuBar;
class QPlainTextEdit;
class QPushButton;
class QSlider;
class QSystemTrayIcon;
class QToolBar;
class SettingsStore;
class StatusPanes;
class TerminalSettings;

// The one window of the terminal: local and remote picture, transcript and
// text input, menu bar, toolbar, status bar and tray icon. It owns the call
// and media records for the run. Every command id reaches a handler here.
//
// Steps and commands of subsystems that are wired in later are the protected
// virtual hooks below; each does nothing until its subsystem is attached.
class TerminalWindow : public QDialog, public MediaSwitchView {
    Q_OBJECT
public:
    static constexpr const char* kCaption = "【澜川汇】视频电话终端";
    static constexpr const char* kRecordingCaption = "   【澜川】视频电话终端--录像中";
    static constexpr const char* kRecordingEndedCaption = "     【澜川】视频电话终端";
    static constexpr const char* kTrayTip = "VX-MEETING（2012）";
    static constexpr const char* kInitialPane0 = "       本机IP:";
    static constexpr int kWidthDialogUnits = 219;
    static constexpr int kHeightDialogUnits = 436;

    // screenSize: the primary screen, read once at start.
    TerminalWindow(MessageBoxes& boxes, SettingsStore& store, QSize screenSize,
                   QWidget* parent = nullptr);
    ~TerminalWindow() override;

    // The window's initialisation, once, before it is shown; always true.
    bool Initialise();
    // The single exit path: asks, ends the call, closes what is open, closes
    // the window.
    void RequestExit();
    // The window's cancel action (the platform's close command) is the exit path.
    void reject() override;

    bool HasCommand(int commandId) const;
    // Runs a command as its menu item or button would; false for unknown ids.
    bool RunCommand(int commandId);

    MediaState& Media() { return media_; }
    MediaCounters& Counters() { return counters_; }
    CallState& Call() { return call_; }
    TerminalSettings& Settings();
    SettingsStore& Store() { return store_; }
    MessageBoxes& Boxes() { return boxes_; }

    // Status bar.
    void SetPaneText(int pane, const QString& text);
    QString PaneText(int pane) const;
    // Transcript (control 1003): plain text only, markup is never interpreted.
    QString TranscriptText() const;
    void SetTranscriptText(const QString& text);
    // Text input (control 1004).
    QString InputText() const;
    void SetInputText(const QString& text);
    void SetInputEnabled(bool enabled);
    bool IsInputEnabled() const;

    // Menu items of menu bar 155.
    void SetMenuEnabled(int commandId, bool enabled);
    bool IsMenuEnabled(int commandId) const;
    void SetMenuChecked(int commandId, bool checked) override;
    bool IsMenuChecked(int commandId) const;
    // {"id": {"enabled":bool,"checked":bool}} for every item of menus 155 and 184.
    QJsonObject MenuStates() const;

    QPushButton& CalledSideSendButton() { return *calledSideSend_; }
    QPushButton& CallerSendButton() { return *callerSend_; }
    QPushButton& ClearInputButton() { return *clearInput_; }
    QSlider& OutputVolumeSlider() { return *outputVolume_; }
    QSlider& MicrophoneSlider() { return *microphone_; }
    QMenuBar& MenuBar() { return *menuBar_; }
    QToolBar& ToolBar() { return *toolBar_; }
    QSystemTrayIcon& TrayIcon() { return *trayIcon_; }
    QMenu& TrayMenu() { return *trayMenu_; }
    FullPictureView& FullPicture() { return *fullPicture_; }

    // Control 1026, the preview target of local capture.
    PictureArea& LocalPictureArea() { return *localPicture_; }
    // Control 1059, where decoded pictures go unless the full-picture view shows.
    PictureArea& RemotePictureArea() { return *remotePicture_; }
    // Any thread: a decoded remote picture for whichever target is current.
    void ShowRemoteFrame(const QImage& frame);

    // MediaSwitchView.
    void ShowRemoteIdlePicture() override;
    void RunFullPictureView() override;
    // The partner ended the call while the view shows.
    void CloseFullPictureView();
    bool IsFullPictureViewShowing() const;

    // Going to the tray and back.
    void GoToTray();
    void ShowFromTray();

    // Automation hook: call the terminal at address:port as the call dialog's
    // 连接 would. Returns an error text, empty on success. Until the call
    // dialog is attached it reports that calling is unavailable.
    virtual QString PlaceCall(const QString& address, quint16 port);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

    // Initialisation steps of later subsystems, in their place.
    virtual void RegisterVideoDecoders() {}
    virtual void InitNetwork() {}
    virtual void BindMixerFaders() {}
    virtual void StartAudioThreads() {}
    virtual void AttachDisplayTarget() {}
    virtual void AllocateSharedBuffers() {}
    virtual void CreateDisplaySurface() {}

    // Control connection: menu 32810/32811/32774/32775, toolbar 32813,
    // buttons 1022/1006. StartService also runs at start with ptpservice "Y".
    virtual void StartService() {}
    virtual void StopService() {}
    virtual void CallCommand() {}
    virtual void HangUp() {}
    virtual void SendChatAsCalledSide() {}
    virtual void SendChatAsCaller() {}

    // Media switches: 32777..32781, 32834, 32869, 32870, 1221, 1222.
    virtual void RunMediaSwitch(int commandId) { (void)commandId; }
    // Exit path, after the call has ended: stop flags of the receive threads,
    // open streams closed in order, receive threads stopped.
    virtual void SignalReceiveThreadsToStop() {}
    virtual void CloseOpenStreams() {}
    virtual void StopReceiveThreads() {}

    // Dialogs and panels.
    virtual void OpenConfiguration() {}
    // Caption dialog; from the menu bar only while local capture runs.
    virtual void OpenCaptionDialog() {}
    virtual void OpenPtzPanel() {}
    // Camera switch; only while local capture runs.
    virtual void OpenCameraSwitch() {}
    // Capture device controls; only while local capture runs.
    virtual void OpenImageAdjust() {}
    virtual void TogglePictureInPicture() {}
    virtual void OpenPipSettings() {}
    virtual void OpenMixerPanel() {}

    // Snapshot and recording of the remote picture.
    virtual void RequestSnapshot(bool withSoundAndTest) { (void)withSoundAndTest; }
    virtual void PlaySoundCue(const QString& fileName) { (void)fileName; }
    virtual void StartRecording() {}
    virtual void StopRecording() {}

private:
    void BuildControls();
    void BuildMenuBar();
    void BuildToolBar();
    void BuildTray();
    void PrepareTextPanel();
    void PrepareHiddenBitmapButtons();
    void RegisterCommands();
    void RegisterGuardedByCapture(int commandId, void (TerminalWindow::*handler)());

    void SnapshotCommand();
    void RecordCommand();
    void RecordingFinishedAtExit();
    bool RemoteVideoOpenOrSay();
    void ClearTranscript();
    void ClearInput();
    void InputChanged();
    void TrayExit();
    void ShowSystemNote();
    void ShowAbout();
    void OpenHelpPage();
    void ShowLocalAddress();

    MessageBoxes& boxes_;
    SettingsStore& store_;
    QSize screenSize_;
    DialogUnits units_;

    MediaState media_;
    MediaCounters counters_;
    CallState call_;
    CommandTable commands_;
    bool trayExitRequested_ = false;

    QMenuBar* menuBar_ = nullptr;
    std::map<int, QAction*> menuActions_;
    QToolBar* toolBar_ = nullptr;
    QWidget* client_ = nullptr;
    PictureArea* localPicture_ = nullptr;
    PictureArea* remotePicture_ = nullptr;
    QPlainTextEdit* transcript_ = nullptr;
    QPlainTextEdit* input_ = nullptr;
    QPushButton* calledSideSend_ = nullptr;
    QPushButton* callerSend_ = nullptr;
    QPushButton* clearInput_ = nullptr;
    QSlider* outputVolume_ = nullptr;
    QSlider* microphone_ = nullptr;
    QPushButton* bitmapButton1071_ = nullptr;
    QPushButton* mixerPanelButton_ = nullptr;
    StatusPanes* statusPanes_ = nullptr;
    QSystemTrayIcon* trayIcon_ = nullptr;
    QMenu* trayMenu_ = nullptr;
    FullPictureView* fullPicture_ = nullptr;
};
