#include "call/ControlLink.h"

#include <QTcpSocket>

#include "call/TcpKeepAlive.h"

ControlLink::ControlLink(QTcpSocket* accepted, QObject* parent)
    : QObject(parent),
      socket_(accepted),
      reader_(ControlMessageReader::From::Caller),
      peerAddress_(accepted->peerAddress()) {
    accepted->setParent(this);
    Attach();
    TcpKeepAlive::Enable(*accepted);
    // Bytes, or even the end, may have come before the link listened.
    QTimer::singleShot(0, this, [this] {
        if (closed_) {
            return;
        }
        peerGone_ = peerGone_ || socket_->state() != QAbstractSocket::ConnectedState;
        DeliverMessages();
    });
}

ControlLink::ControlLink(QObject* parent)
    : QObject(parent),
      socket_(new QTcpSocket(this)),
      reader_(ControlMessageReader::From::CalledSide) {
    Attach();
}

void ControlLink::Dial(const QHostAddress& address, quint16 port, std::chrono::milliseconds limit) {
    peerAddress_ = address;
    connecting_ = true;
    connectTimer_.start(limit);
    socket_->connectToHost(address, port);
}

void ControlLink::Attach() {
    socket_->setReadBufferSize(kSocketBufferBytes);
    connect(socket_, &QTcpSocket::connected, this, &ControlLink::OnConnected);
    connect(socket_, &QTcpSocket::readyRead, this, &ControlLink::DeliverMessages);
    connect(socket_, &QTcpSocket::disconnected, this, &ControlLink::OnDisconnected);
    connect(socket_, &QTcpSocket::errorOccurred, this, &ControlLink::OnSocketError);
    restTimer_.setSingleShot(true);
    connect(&restTimer_, &QTimer::timeout, this, &ControlLink::OnRestWaited);
    connectTimer_.setSingleShot(true);
    connect(&connectTimer_, &QTimer::timeout, this,
            [this] { FailConnect(ConnectError::TimedOut, {}); });
}

void ControlLink::Write(const QByteArray& message) {
    if (!closed_ && !connecting_ && socket_) {
        socket_->write(message);
    }
}

void ControlLink::Close() {
    if (closed_) {
        return;
    }
    closed_ = true;
    restTimer_.stop();
    connectTimer_.stop();
    ReleaseSocket();
    if (notifying_ == 0) {
        deleteLater();
    }
}

void ControlLink::ReleaseSocket() {
    QTcpSocket* socket = socket_;
    socket_ = nullptr;
    if (!socket) {
        return;
    }
    socket->disconnect(this);
    if (socket->state() != QAbstractSocket::ConnectedState) {
        socket->abort();
        socket->deleteLater();
        return;
    }
    // The socket outlives the link until its last bytes are out. Unread bytes
    // are drained first: closing over them would reset the connection and
    // could cost the partner our last message.
    socket->setParent(parent());
    socket->setReadBufferSize(0);
    socket->readAll();
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    QTimer::singleShot(kCloseLimit, socket, [socket] {
        socket->abort();
        socket->deleteLater();
    });
    socket->disconnectFromHost();
}

template <typename Emit>
void ControlLink::Notify(Emit emitSignal) {
    ++notifying_;
    emitSignal();
    --notifying_;
    if (closed_ && notifying_ == 0) {
        deleteLater();
    }
}

void ControlLink::OnConnected() {
    if (!connecting_) {
        return;
    }
    connecting_ = false;
    connectTimer_.stop();
    TcpKeepAlive::Enable(*socket_);
    Notify([this] { emit Connected(); });
    DeliverMessages();
}

void ControlLink::FailConnect(ConnectError error, const QString& detail) {
    if (!connecting_ || closed_) {
        return;
    }
    connecting_ = false;
    connectTimer_.stop();
    socket_->abort();
    Notify([&] { emit ConnectFailed(error, detail); });
}

void ControlLink::OnSocketError() {
    if (!connecting_) {
        OnDisconnected();
        return;
    }
    switch (socket_->error()) {
        case QAbstractSocket::ConnectionRefusedError:
            FailConnect(ConnectError::Refused, socket_->errorString());
            break;
        case QAbstractSocket::NetworkError:
        case QAbstractSocket::HostNotFoundError:
            FailConnect(ConnectError::Unreachable, socket_->errorString());
            break;
        case QAbstractSocket::SocketTimeoutError:
            FailConnect(ConnectError::TimedOut, socket_->errorString());
            break;
        default:
            FailConnect(ConnectError::Other, socket_->errorString());
            break;
    }
}

void ControlLink::OnDisconnected() {
    if (closed_ || connecting_ || peerGone_) {
        return;
    }
    peerGone_ = true;
    // What the peer wrote before leaving still counts, its closing word above
    // all; the outermost delivery reports the end once all is handed out.
    DeliverMessages();
}

void ControlLink::DeliverMessages() {
    if (closed_ || connecting_ || notifying_ > 0) {
        return;
    }
    while (!closed_) {
        if (const auto text = reader_.Next()) {
            Notify([&] { emit MessageReceived(*text); });
            continue;
        }
        if (!socket_ || socket_->bytesAvailable() == 0) {
            break;
        }
        reader_.Append(socket_->read(reader_.Room()));
    }
    if (closed_) {
        return;
    }
    if (peerGone_) {
        ReportPeerGone();
    } else if (!reader_.HasRest()) {
        restTimer_.stop();
    } else if (!restTimer_.isActive()) {
        restTimer_.start(kRestWait);
    }
}

void ControlLink::OnRestWaited() {
    if (closed_) {
        return;
    }
    if (notifying_ > 0) {
        restTimer_.start(kRestWait);
        return;
    }
    if (const auto text = reader_.TakeRest()) {
        Notify([&] { emit MessageReceived(*text); });
    }
    DeliverMessages();
}

void ControlLink::ReportPeerGone() {
    restTimer_.stop();
    if (const auto text = reader_.TakeRest()) {
        Notify([&] { emit MessageReceived(*text); });
    }
    if (!closed_ && !peerGoneReported_) {
        peerGoneReported_ = true;
        Notify([this] { emit PeerGone(); });
    }
}
