#include "app/LiveTerminalWindow.h"

#include <QLineEdit>
#include <QPushButton>

#include "app/MessageBoxes.h"
#include "app/PictureArea.h"
#include "app/TerminalMediaEngine.h"
#include "call/CallDialog.h"
#include "call/ControlChannel.h"
#include "call/MediaSwitcher.h"
#include "settings/SettingsStore.h"
#include "settings/TerminalSettings.h"
#include "video/CameraSwitchDialog.h"
#include "video/CameraSwitcher.h"
#include "video/ImageSettingsDialog.h"
#include "video/ListVideoDevices.h"

LiveTerminalWindow::LiveTerminalWindow(MessageBoxes& boxes, SettingsStore& store, QSize screenSize,
                                       QWidget* parent)
    : TerminalWindow(boxes, store, screenSize, parent),
      callView_(*this, [this] { return switcher_.get(); }),
      channel_(std::make_unique<ControlChannel>(Settings(), Call(), Media(), callView_, boxes,
                                                ringer_)) {}

// The media threads stop first, while the windows they draw into and the
// sessions they use still exist.
LiveTerminalWindow::~LiveTerminalWindow() {
    cameraSwitcher_.reset();
    switcher_.reset();
    engine_.reset();
}

void LiveTerminalWindow::StartAudioThreads() {
    TerminalMediaEngine::Outputs outputs{
        [this](const QImage& picture) { LocalPictureArea().ShowFrame(picture); },
        [this](const QImage& picture, DisplayTarget) { ShowRemoteFrame(picture); }};
    engine_ = std::make_unique<TerminalMediaEngine>(Media(), Counters(), Boxes(), Settings(),
                                                    std::move(outputs), kCaption);
    Media().pipOn = Settings().IsOn(Setting::VideoInVideo) ? 1 : 0;
    MediaSwitcher::Settings switchSettings{
        [this] { return Settings().deviceIndex.load(); },
        [this] { return Settings().IsOn(Setting::MeetingPicture); }};
    switcher_ = std::make_unique<MediaSwitcher>(Media(), Call(), *engine_, *this, Boxes(),
                                                std::move(switchSettings));
    cameraSwitcher_ = std::make_unique<CameraSwitcher>(
        engine_->Capture(), Media(), Boxes(), [this](int deviceIndex) {
            Store().WriteAndStore(Setting::DeviceId, QString::number(deviceIndex));
        });
}

void LiveTerminalWindow::StartService() { channel_->StartService(); }
void LiveTerminalWindow::StopService() { channel_->StopService(); }
void LiveTerminalWindow::HangUp() { channel_->HangUp(); }

void LiveTerminalWindow::CallCommand() {
    channel_->CallCommand([this] {
        CallDialog dialog(Store(), *channel_, Boxes(), this);
        dialog.exec();
    });
}

void LiveTerminalWindow::SendChatAsCalledSide() {
    channel_->SendChat(CallView::kCalledSendButtonId);
}

void LiveTerminalWindow::SendChatAsCaller() { channel_->SendChat(CallView::kCallerSendButtonId); }

QString LiveTerminalWindow::PlaceCall(const QString& address, quint16 port) {
    // As the call command with the dialog filled in and 连接 pressed; the
    // dialog shows the connect and closes itself when it has ended.
    channel_->CallCommand([&] {
        auto* dialog = new CallDialog(Store(), *channel_, Boxes(), this);
        dialog->setAttribute(Qt::WA_DeleteOnClose);
        dialog->findChild<QLineEdit*>(QStringLiteral("1083"))->setText(address);
        dialog->findChild<QLineEdit*>(QStringLiteral("1003"))->setText(QString::number(port));
        dialog->show();
        dialog->findChild<QPushButton*>(QStringLiteral("connect"))->click();
    });
    return {};
}

void LiveTerminalWindow::RunMediaSwitch(int commandId) {
    if (switcher_) switcher_->Dispatch(commandId);
}

void LiveTerminalWindow::SignalReceiveThreadsToStop() {
    if (switcher_) switcher_->SignalReceiveThreadsToStop();
}

void LiveTerminalWindow::CloseOpenStreams() {
    if (switcher_) switcher_->CloseOpenStreams();
}

void LiveTerminalWindow::StopReceiveThreads() {
    if (switcher_) switcher_->StopReceiveThreads();
}

void LiveTerminalWindow::ShowModeless(QDialog* dialog) {
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->show();
    dialog->move(geometry().center() - dialog->rect().center());
}

void LiveTerminalWindow::OpenCameraSwitch() {
    ShowModeless(new CameraSwitchDialog(*cameraSwitcher_, ListVideoDevices(),
                                        Settings().deviceIndex.load(), this));
}

void LiveTerminalWindow::OpenImageAdjust() {
    ShowModeless(new ImageSettingsDialog(engine_->Capture().currentDevice(), this));
}

void LiveTerminalWindow::TogglePictureInPicture() { Media().pipOn = Media().pipOn ? 0 : 1; }

void LiveTerminalWindow::RequestSnapshot(bool withSoundAndTest) {
    // The silent form skips the check: without remote video there is no
    // picture to take anyway.
    if (!withSoundAndTest && Media().remoteVideoOpen == 0) return;
    engine_->Snapshots().RequestSnapshot();
}

void LiveTerminalWindow::PlaySoundCue(const QString& fileName) {
    cues_.Play(fileName.toStdString(), CuePlayer::Fallback::ShutterClick);
}
