#pragma once

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QTcpServer>

#include <chrono>
#include <functional>

#include "app/MessageBoxes.h"
#include "call/CallState.h"
#include "call/CallView.h"
#include "call/ControlLink.h"
#include "call/MediaState.h"
#include "call/Ringer.h"

class TerminalSettings;

// The control connection between two terminals: the listening service of the
// called side with the one call it serves, and this terminal's own call as
// caller. Everything runs on the window's thread; the window shows what
// happens through CallView and MessageBoxes.
class ControlChannel : public QObject {
    Q_OBJECT
public:
    static constexpr int kListenBacklog = 5;
    static constexpr std::chrono::milliseconds kConnectLimit{10000};
    // The transcript keeps this many GBK bytes of old text per change; the
    // caller's receive path keeps more.
    static constexpr qsizetype kTranscriptKeepBytes = 9999;
    static constexpr qsizetype kCallerReceiveKeepBytes = 19999;

    ControlChannel(TerminalSettings& settings, CallState& call, MediaState& media, CallView& view,
                   MessageBoxes& boxes, Ringer& ringer, QObject* parent = nullptr);

    // Called side.
    void StartService();
    void StopService();
    void CloseService();

    // Caller: connects to partnerAddress:servicePort without blocking;
    // ConnectFinished follows once it is known.
    void Connect();
    void HangUp();
    void CloseCallerLink();

    // The send buttons: kCalledSendButtonId sends on the accepted connection,
    // kCallerSendButtonId on the caller's.
    void SendChat(int sendButtonId);

    // Menu 呼叫 and toolbar 呼叫远端计算机: refuses during a call, otherwise
    // runs openCallDialog (which returns once the dialog is closed).
    void CallCommand(const std::function<void()>& openCallDialog);

    bool IsListening() const { return server_.isListening(); }
    bool IsConnecting() const { return connecting_; }
    quint16 ListeningPort() const { return server_.serverPort(); }

signals:
    // A Connect has ended, with the caller link up or not.
    void ConnectFinished(bool connected);

private:
    void OnServiceEvent();
    void TakeIncomingCall(QPointer<ControlLink> link);
    bool AskToAccept();
    void AcceptCall(ControlLink& link, bool asked);
    void OnServiceMessage(const QByteArray& text);
    void OnCallerLeft();

    void OnConnected();
    void OnConnectFailed(ControlLink::ConnectError error, const QString& detail);
    void OnCallerEvent(const QByteArray& text);
    void OnServiceStopped();

    void ReportListenFailure(const QString& reason);
    void CloseOneKeyMedia();
    void ShowCallEvent(const QString& text);
    void SetMenus(bool callEnabled, bool hangUpEnabled, bool startServiceEnabled);
    static quint16 PortOf(const QString& text);
    void PrependChatLine(const QString& prefix, const QString& text, qsizetype keepBytes);
    void AppendConnectionLine(const QString& line);
    QString KeptTranscript(qsizetype keepBytes) const;
    static void Refuse(ControlLink* link);
    static QString ConnectFailureText(ControlLink::ConnectError error, const QString& detail);

    TerminalSettings& settings_;
    CallState& call_;
    MediaState& media_;
    CallView& view_;
    MessageBoxes& boxes_;
    Ringer& ringer_;
    QTcpServer server_;
    // The called side's end of the one call it serves (from the accept on).
    QPointer<ControlLink> acceptedLink_;
    // This terminal's link as caller.
    QPointer<ControlLink> callerLink_;
    bool connecting_ = false;
};
