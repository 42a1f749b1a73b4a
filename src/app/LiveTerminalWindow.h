#pragma once

#include <memory>

#include "app/CueRinger.h"
#include "app/TerminalWindow.h"
#include "app/WindowCallView.h"
#include "audio/CuePlayer.h"

class CameraSwitcher;
class ControlChannel;
class MediaSwitcher;
class TerminalMediaEngine;

// The main window with every subsystem attached: the control connection,
// the media switches and the media machinery behind them, sound cues,
// snapshots and the camera dialogs.
class LiveTerminalWindow : public TerminalWindow {
    Q_OBJECT

public:
    LiveTerminalWindow(MessageBoxes& boxes, SettingsStore& store, QSize screenSize,
                       QWidget* parent = nullptr);
    ~LiveTerminalWindow() override;

    QString PlaceCall(const QString& address, quint16 port) override;

protected:
    // The media machinery comes up with the audio threads, once the
    // settings (frame size, sample rate) are loaded.
    void StartAudioThreads() override;
    void StartService() override;
    void StopService() override;
    void CallCommand() override;
    void HangUp() override;
    void SendChatAsCalledSide() override;
    void SendChatAsCaller() override;
    void RunMediaSwitch(int commandId) override;
    void SignalReceiveThreadsToStop() override;
    void CloseOpenStreams() override;
    void StopReceiveThreads() override;
    void OpenCameraSwitch() override;
    void OpenImageAdjust() override;
    void TogglePictureInPicture() override;
    void RequestSnapshot(bool withSoundAndTest) override;
    void PlaySoundCue(const QString& fileName) override;

private:
    void ShowModeless(QDialog* dialog);

    CuePlayer cues_;
    CueRinger ringer_{cues_};
    WindowCallView callView_;
    std::unique_ptr<ControlChannel> channel_;
    std::unique_ptr<TerminalMediaEngine> engine_;
    std::unique_ptr<MediaSwitcher> switcher_;
    std::unique_ptr<CameraSwitcher> cameraSwitcher_;
};
