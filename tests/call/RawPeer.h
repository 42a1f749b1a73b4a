#pragma once

#include <QByteArray>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <chrono>
#include <memory>

// The other terminal, speaking raw bytes over 127.0.0.1. Either it calls
// (Dial) or it listens (Listen, then AcceptCall). Waiting runs the event loop
// so that the terminal under test works meanwhile.
class RawPeer {
public:
    static constexpr int kWaitMs = 5000;

    // A port that was free a moment ago.
    static quint16 FreePort() {
        QTcpServer probe;
        probe.listen(QHostAddress::LocalHost, 0);
        return probe.serverPort();
    }

    bool Dial(quint16 port) {
        socket_ = std::make_unique<QTcpSocket>();
        socket_->connectToHost(QHostAddress::LocalHost, port);
        return QTest::qWaitFor(
            [this] { return socket_->state() == QAbstractSocket::ConnectedState; }, kWaitMs);
    }

    quint16 Listen() {
        server_.listen(QHostAddress::LocalHost, 0);
        return server_.serverPort();
    }

    bool AcceptCall() {
        if (!QTest::qWaitFor([this] { return server_.hasPendingConnections(); }, kWaitMs)) {
            return false;
        }
        socket_.reset(server_.nextPendingConnection());
        socket_->setParent(nullptr);
        return true;
    }

    void Send(const QByteArray& bytes) {
        socket_->write(bytes);
        socket_->flush();
    }

    // Exactly count bytes, or what came within the wait.
    QByteArray Receive(qsizetype count) {
        (void)QTest::qWaitFor([&] { return socket_->bytesAvailable() >= count; }, kWaitMs);
        return socket_->read(count);
    }

    // Whatever else arrives within a short while.
    QByteArray ReceiveMore(int waitMs = 200) {
        QTest::qWait(waitMs);
        return socket_->readAll();
    }

    bool WaitClosedByTerminal() {
        return QTest::qWaitFor(
            [this] { return socket_->state() == QAbstractSocket::UnconnectedState; }, kWaitMs);
    }

    // The program died: the connection ends without a closing word.
    void Vanish() { socket_->abort(); }

    QTcpSocket& Socket() { return *socket_; }

private:
    QTcpServer server_;
    std::unique_ptr<QTcpSocket> socket_;
};
