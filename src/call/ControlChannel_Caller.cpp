// The caller's half of ControlChannel: the outgoing connection, its messages
// and its closing.
#include <QHostAddress>

#include "call/ControlChannel.h"
#include "call/ControlMessages.h"
#include "settings/TerminalSettings.h"

void ControlChannel::Connect() {
    if (connecting_) {
        return;
    }
    // A link still open from a call that looked ended (its service side was
    // closed meanwhile) says goodbye before it is replaced.
    if (callerLink_) {
        callerLink_->Write(ControlMessages::SystemQuit());
        callerLink_->Close();
        callerLink_ = nullptr;
    }
    const QHostAddress address(settings_.partnerAddress());
    const quint16 port = PortOf(settings_.servicePort());
    if (address.protocol() != QAbstractSocket::IPv4Protocol || port == 0) {
        emit ConnectFinished(false);
        boxes_.Inform(QStringLiteral("呼叫失败：对端地址“%1”或端口号“%2”无效！")
                          .arg(settings_.partnerAddress(), settings_.servicePort())
                          .toStdString());
        return;
    }
    connecting_ = true;
    auto* link = new ControlLink(this);
    callerLink_ = link;
    connect(link, &ControlLink::Connected, this, &ControlChannel::OnConnected);
    connect(link, &ControlLink::ConnectFailed, this, &ControlChannel::OnConnectFailed);
    connect(link, &ControlLink::MessageReceived, this, [this, link](const QByteArray& text) {
        if (link == callerLink_) {
            OnCallerEvent(text);
        }
    });
    connect(link, &ControlLink::PeerGone, this, [this, link] {
        if (link == callerLink_) {
            OnServiceStopped();
        }
    });
    link->Dial(address, port, kConnectLimit);
}

void ControlChannel::OnConnected() {
    connecting_ = false;
    ShowCallEvent(QStringLiteral("已连接成功，正在通信中..."));
    view_.SetSendButtonVisible(CallView::kCallerSendButtonId, true);
    view_.SetInputEnabled(true);
    call_.connected = true;
    call_.callerLinkOpen = true;
    view_.SetMenuItemEnabled(CallView::kStartServiceMenuId, false);
    // The call command greys 呼叫 and enables 断开 once its dialog returns;
    // the connect ends later than that, and a call from the automation has
    // no dialog, so the connect does it.
    view_.SetMenuItemEnabled(CallView::kCallMenuId, false);
    view_.SetMenuItemEnabled(CallView::kHangUpMenuId, true);
    // The one-key start may open the modal full-picture view; the call
    // dialog stays beneath it until it is closed.
    if (settings_.IsOn(Setting::CallOneKey)) {
        view_.RunOneKey();
    }
    emit ConnectFinished(call_.callerLinkOpen);
}

void ControlChannel::OnConnectFailed(ControlLink::ConnectError error, const QString& detail) {
    connecting_ = false;
    if (callerLink_) {
        callerLink_->Close();
        callerLink_ = nullptr;
    }
    emit ConnectFinished(false);
    boxes_.Inform(ConnectFailureText(error, detail).toStdString());
}

QString ControlChannel::ConnectFailureText(ControlLink::ConnectError error, const QString& detail) {
    switch (error) {
        case ControlLink::ConnectError::Refused:
            return QStringLiteral("呼叫失败：对端拒绝连接（对端未开启服务）！");
        case ControlLink::ConnectError::Unreachable:
            return QStringLiteral("呼叫失败：无法到达对端地址！");
        case ControlLink::ConnectError::TimedOut:
            return QStringLiteral("呼叫失败：%1秒内未能连接到对端！")
                .arg(std::chrono::duration_cast<std::chrono::seconds>(kConnectLimit).count());
        case ControlLink::ConnectError::Other:
            break;
    }
    return QStringLiteral("呼叫失败：%1").arg(detail);
}

void ControlChannel::HangUp() {
    if (callerLink_ && !connecting_) {
        callerLink_->Write(ControlMessages::SystemQuit());
    }
    SetMenus(true, false, true);
    CloseCallerLink();
    ShowCallEvent(QStringLiteral("本机已中断连接！"));
}

void ControlChannel::CloseCallerLink() {
    call_.callerLinkOpen = false;
    media_.remoteVideoOpen = 0;
    if (callerLink_) {
        callerLink_->Close();
        callerLink_ = nullptr;
    }
    call_.connected = false;
    CloseOneKeyMedia();
    view_.SetSendButtonVisible(CallView::kCallerSendButtonId, false);
    view_.SetInputEnabled(false);
    if (connecting_) {
        connecting_ = false;
        emit ConnectFinished(false);
    }
}

void ControlChannel::OnCallerEvent(const QByteArray& text) {
    if (text == ControlMessages::RejectText()) {
        boxes_.Inform("对端暂未接受您的呼叫，请稍候再拨！");
        call_.connected = false;
        HangUp();
    } else if (text == ControlMessages::ServerQuitText()) {
        OnServiceStopped();
    } else {
        PrependChatLine(QStringLiteral("对端:"), ControlMessages::DecodeText(text),
                        kCallerReceiveKeepBytes);
    }
}

void ControlChannel::OnServiceStopped() {
    view_.CloseFullPictureView();
    CloseCallerLink();
    ShowCallEvent(QStringLiteral("对方已停止服务！"));
}
