#pragma once

#include <QByteArray>
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <QTimer>

#include <chrono>

#include "call/ControlMessageReader.h"

class QTcpSocket;

// One end of a control connection: its socket, the cutting of its byte stream
// into messages, and the notice that the peer went away. Lives on the
// window's thread. Handlers may show modal boxes: bytes that arrive meanwhile
// wait in the socket and are handed out in order once the handler returns.
class ControlLink : public QObject {
    Q_OBJECT
public:
    enum class ConnectError { Refused, Unreachable, TimedOut, Other };

    // How long incomplete bytes wait for the rest of their message.
    static constexpr std::chrono::milliseconds kRestWait{300};

    // Takes over an accepted, connected socket.
    ControlLink(QTcpSocket* accepted, QObject* parent);
    // A caller's link, not connected yet: connect its signals, then Dial.
    explicit ControlLink(QObject* parent);

    // Starts connecting; Connected or ConnectFailed follows, at the latest
    // after limit.
    void Dial(const QHostAddress& address, quint16 port, std::chrono::milliseconds limit);

    void Write(const QByteArray& message);
    // Ends the connection once what was written has gone out, and deletes
    // this link later. No signal comes after Close.
    void Close();

    bool IsOpen() const { return !closed_; }
    QHostAddress PeerAddress() const { return peerAddress_; }

signals:
    void Connected();
    void ConnectFailed(ControlLink::ConnectError error, const QString& detail);
    // The text of one message (bytes before its first zero).
    void MessageReceived(const QByteArray& text);
    // The connection ended without a closing word, or failed.
    void PeerGone();

private:
    // Bounds what a flooding peer can make us buffer.
    static constexpr qint64 kSocketBufferBytes = 4096;
    // A closed socket that cannot get its last bytes out is dropped after this.
    static constexpr std::chrono::milliseconds kCloseLimit{5000};

    void Attach();
    void OnConnected();
    void OnSocketError();
    void OnDisconnected();
    void DeliverMessages();
    void OnRestWaited();
    void ReportPeerGone();
    void FailConnect(ConnectError error, const QString& detail);
    // Runs a handler through a signal. Deleting this link is held back until
    // the outermost handler has returned, since a handler may run a modal
    // loop in which the owner closes the link.
    template <typename Emit>
    void Notify(Emit emitSignal);
    void ReleaseSocket();

    QPointer<QTcpSocket> socket_;
    ControlMessageReader reader_;
    QTimer restTimer_;
    QTimer connectTimer_;
    QHostAddress peerAddress_;
    bool connecting_ = false;
    bool closed_ = false;
    bool peerGone_ = false;
    bool peerGoneReported_ = false;
    // Depth of handlers running; bytes wait in the socket meanwhile.
    int notifying_ = 0;
};
