#include "call/ControlChannel.h"

#include <QHostAddress>
#include <QTcpSocket>

#include "call/ControlMessages.h"
#include "settings/GbkCodec.h"
#include "settings/SettingsStore.h"
#include "settings/TerminalSettings.h"

namespace {
const QString kConnectionPaneText = QStringLiteral("      连接状态:");
const QString kRingSoundFile = QStringLiteral("call.wav");
}  // namespace

ControlChannel::ControlChannel(TerminalSettings& settings, CallState& call, MediaState& media,
                               CallView& view, MessageBoxes& boxes, Ringer& ringer, QObject* parent)
    : QObject(parent),
      settings_(settings),
      call_(call),
      media_(media),
      view_(view),
      boxes_(boxes),
      ringer_(ringer) {
    server_.setListenBacklogSize(kListenBacklog);
    connect(&server_, &QTcpServer::newConnection, this, &ControlChannel::OnServiceEvent);
}

void ControlChannel::StartService() {
    server_.close();
    const quint16 port = PortOf(settings_.servicePort());
    if (port == 0) {
        ReportListenFailure(QStringLiteral("端口号“%1”无效").arg(settings_.servicePort()));
        return;
    }
    const QString local = settings_.localAddress();
    const QHostAddress address =
        local.isEmpty() ? QHostAddress(QHostAddress::AnyIPv4) : QHostAddress(local);
    if (address.protocol() != QAbstractSocket::IPv4Protocol) {
        ReportListenFailure(QStringLiteral("本机地址“%1”无效").arg(local));
        return;
    }
    if (!server_.listen(address, port)) {
        ReportListenFailure(server_.serverError() == QAbstractSocket::AddressInUseError
                                ? QStringLiteral("端口%1已被占用").arg(port)
                                : server_.errorString());
        return;
    }
    SetMenus(false, false, false);
    view_.SetMenuItemEnabled(CallView::kStopServiceMenuId, true);
    view_.SetPaneText(3, QStringLiteral("服务已开启，监听中..."));
}

void ControlChannel::ReportListenFailure(const QString& reason) {
    view_.SetMenuItemEnabled(CallView::kStartServiceMenuId, true);
    view_.SetMenuItemEnabled(CallView::kStopServiceMenuId, false);
    view_.SetPaneText(3, QStringLiteral("服务开启失败！"));
    boxes_.Inform(QStringLiteral("服务开启失败：%1！").arg(reason).toStdString());
}

void ControlChannel::StopService() {
    if (acceptedLink_) {
        acceptedLink_->Write(ControlMessages::ServerQuit());
    }
    CloseService();
    ShowCallEvent(QStringLiteral("本机已停止连接！"));
}

void ControlChannel::CloseService() {
    if (acceptedLink_) {
        acceptedLink_->Close();
        acceptedLink_ = nullptr;
    }
    server_.close();
    call_.connected = false;
    CloseOneKeyMedia();
    SetMenus(true, false, true);
    view_.SetMenuItemEnabled(CallView::kStopServiceMenuId, false);
    view_.SetSendButtonVisible(CallView::kCalledSendButtonId, false);
    view_.SetInputEnabled(false);
    view_.SetPaneText(3, QStringLiteral("服务已关闭！"));
    if (settings_.IsOn(Setting::PtpService)) {
        StartService();
    }
}

void ControlChannel::OnServiceEvent() {
    while (QTcpSocket* socket = server_.nextPendingConnection()) {
        auto* link = new ControlLink(socket, this);
        // One call at a time: whoever comes while a caller is served (ringing,
        // refused or connected) is refused at once.
        if (acceptedLink_) {
            Refuse(link);
            continue;
        }
        acceptedLink_ = link;
        connect(link, &ControlLink::MessageReceived, this, [this, link](const QByteArray& text) {
            if (link == acceptedLink_) {
                OnServiceMessage(text);
            }
        });
        connect(link, &ControlLink::PeerGone, this, [this, link] {
            if (link == acceptedLink_) {
                OnCallerLeft();
            }
        });
        TakeIncomingCall(link);
    }
}

void ControlChannel::Refuse(ControlLink* link) {
    link->Write(ControlMessages::Reject());
    link->Close();
}

void ControlChannel::TakeIncomingCall(QPointer<ControlLink> link) {
    const bool ask = !settings_.IsOn(Setting::PtpAcceptCall);
    const bool accepted = !ask || AskToAccept();
    // The caller may have left, or the service closed, while the question was up.
    if (!link || link != acceptedLink_) {
        return;
    }
    if (!accepted) {
        link->Write(ControlMessages::Reject());
        return;
    }
    AcceptCall(*link, ask);
}

bool ControlChannel::AskToAccept() {
    ringer_.StartRinging(kRingSoundFile);
    const bool yes = boxes_.Ask("是否接受远端呼叫?", "远端呼叫");
    ringer_.StopRinging();
    return yes;
}

void ControlChannel::AcceptCall(ControlLink& link, bool asked) {
    QPointer<ControlLink> guard(&link);
    const QString callerAddress = QHostAddress(link.PeerAddress().toIPv4Address()).toString();
    call_.connected = true;
    if (asked) {
        ++call_.acceptedCallCount;
        view_.SetPaneText(3, QStringLiteral("已登录客户数:%1").arg(call_.acceptedCallCount));
        AppendConnectionLine(QStringLiteral("呼叫方(%1)已连接本机:").arg(callerAddress));
    } else {
        AppendConnectionLine(QStringLiteral("对端(%1)已连上本机:").arg(callerAddress));
    }
    view_.SetSendButtonVisible(CallView::kCalledSendButtonId, true);
    view_.SetInputEnabled(true);
    settings_.SetPartnerAddress(callerAddress);
    view_.SetMenuItemEnabled(CallView::kStartServiceMenuId, false);
    if (settings_.IsOn(Setting::PtpDirectEnter)) {
        view_.RunOneKey();
    }
    if (guard) {
        guard->Write(asked ? ControlMessages::Welcome() : ControlMessages::QuickWelcome());
    }
    ShowCallEvent(asked ? QStringLiteral("呼叫成功，正在通信中...")
                        : QStringLiteral("已连接，正在通信中..."));
}

void ControlChannel::OnServiceMessage(const QByteArray& text) {
    if (text == ControlMessages::SystemQuitText()) {
        OnCallerLeft();
        return;
    }
    PrependChatLine(QStringLiteral("对端:"), ControlMessages::DecodeText(text),
                    kTranscriptKeepBytes);
}

void ControlChannel::OnCallerLeft() {
    view_.CloseFullPictureView();
    CloseService();
    ShowCallEvent(QStringLiteral("对方已断开连接！"));
}

void ControlChannel::SendChat(int sendButtonId) {
    ControlLink* link =
        sendButtonId == CallView::kCalledSendButtonId ? acceptedLink_.data() : callerLink_.data();
    if (!link || !link->IsOpen() || (link == callerLink_ && connecting_)) {
        return;
    }
    const QString input = view_.InputText();
    PrependChatLine(QStringLiteral("本机："), ControlMessages::SentChatText(input),
                    kTranscriptKeepBytes);
    link->Write(ControlMessages::ChatBlock(input));
    view_.ClearInput();
}

void ControlChannel::CallCommand(const std::function<void()>& openCallDialog) {
    if (call_.connected) {
        boxes_.Inform("正在通信连接中，不能开启新的呼叫！", "连接提示");
    } else {
        openCallDialog();
    }
    if (call_.connected) {
        view_.SetMenuItemEnabled(CallView::kCallMenuId, false);
        view_.SetMenuItemEnabled(CallView::kHangUpMenuId, true);
    }
}

void ControlChannel::CloseOneKeyMedia() {
    if (media_.oneKeyOn) {
        view_.CloseOneKeyMedia();
        media_.oneKeyOn = 0;
    }
}

void ControlChannel::ShowCallEvent(const QString& text) {
    view_.SetPaneText(0, kConnectionPaneText);
    view_.SetPaneText(1, text);
}

void ControlChannel::SetMenus(bool callEnabled, bool hangUpEnabled, bool startServiceEnabled) {
    view_.SetMenuItemEnabled(CallView::kCallMenuId, callEnabled);
    view_.SetMenuItemEnabled(CallView::kHangUpMenuId, hangUpEnabled);
    view_.SetMenuItemEnabled(CallView::kStartServiceMenuId, startServiceEnabled);
}

void ControlChannel::PrependChatLine(const QString& prefix, const QString& text,
                                     qsizetype keepBytes) {
    view_.SetTranscript(prefix + text + QStringLiteral("\r\n") + KeptTranscript(keepBytes));
}

void ControlChannel::AppendConnectionLine(const QString& line) {
    view_.SetTranscript(KeptTranscript(kTranscriptKeepBytes) + QStringLiteral("\r\n") + line);
}

QString ControlChannel::KeptTranscript(qsizetype keepBytes) const {
    const QString old = view_.Transcript();
    const QByteArray gbk = GbkCodec::Encode(old);
    if (gbk.size() <= keepBytes) {
        return old;
    }
    return GbkCodec::Decode(GbkCodec::CutToBytes(gbk, keepBytes));
}

quint16 ControlChannel::PortOf(const QString& text) {
    const int port = SettingsStore::ToInt(text);
    return port > 0 && port <= 0xFFFF ? static_cast<quint16>(port) : 0;
}
