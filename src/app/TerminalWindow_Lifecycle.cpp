// TerminalWindow: initialisation, the exit path and the tray.
#include <QIcon>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSystemTrayIcon>
#include <QWidget>

#include "app/FullPictureView.h"
#include "app/LocalAddress.h"
#include "app/MessageBoxes.h"
#include "app/PictureArea.h"
#include "app/StatusPanes.h"
#include "app/TerminalWindow.h"
#include "settings/SettingsStore.h"
#include "settings/TerminalSettings.h"

bool TerminalWindow::Initialise() {
    // The About command (16) is registered with the other commands; the
    // window manager's menu cannot carry it here.
    setWindowIcon(QIcon(QStringLiteral(":/images/icon128.png")));
    BuildMenuBar();
    RegisterVideoDecoders();
    PrepareTextPanel();
    store_.LoadAll(screenSize_.width(), screenSize_.height());
    statusPanes_->show();
    SetPaneText(0, QString::fromUtf8(kInitialPane0));
    SetPaneText(1, QStringLiteral(" "));
    InitNetwork();
    ShowLocalAddress();
    BindMixerFaders();
    StartAudioThreads();
    AttachDisplayTarget();
    AllocateSharedBuffers();
    CreateDisplaySurface();
    PrepareHiddenBitmapButtons();
    if (Settings().IsOn(Setting::PtpService)) StartService();
    return true;
}

void TerminalWindow::PrepareTextPanel() {
    const QImage remoteIdle(QStringLiteral(":/images/idle158.png"));
    remotePicture_->SetIdlePicture(remoteIdle);
    fullPicture_->Picture().SetIdlePicture(remoteIdle);
    localPicture_->SetIdlePicture(QImage(QStringLiteral(":/images/idle140.png")));
    clearInput_->setEnabled(false);
    calledSideSend_->setEnabled(false);
    input_->setEnabled(false);
}

void TerminalWindow::ShowLocalAddress() {
    const QString address = LocalAddress::Find();
    Settings().SetLocalAddress(address);
    SetPaneText(1, address);
}

void TerminalWindow::PrepareHiddenBitmapButtons() {
    bitmapButton1071_->setIcon(QIcon(QStringLiteral(":/images/button153.bmp")));
    mixerPanelButton_->setIcon(QIcon(QStringLiteral(":/images/button188.bmp")));
}

void TerminalWindow::reject() { RequestExit(); }

void TerminalWindow::RequestExit() {
    if (!boxes_.Ask("是否退出当前系统?", "系统退出")) return;
    if (call_.connected) StopService();
    if (call_.callerLinkOpen) HangUp();
    SignalReceiveThreadsToStop();
    RecordingFinishedAtExit();
    CloseOpenStreams();
    StopReceiveThreads();
    if (trayExitRequested_) trayIcon_->hide();
    CloseFullPictureView();
    QDialog::done(QDialog::Rejected);
}

// A recording still running would leave an unreadable file behind.
void TerminalWindow::RecordingFinishedAtExit() {
    if (media_.recordingOn.load() != 0) StopRecording();
}

void TerminalWindow::GoToTray() {
    trayIcon_->show();
    hide();
}

void TerminalWindow::ShowFromTray() {
    showNormal();
    raise();
    activateWindow();
}
