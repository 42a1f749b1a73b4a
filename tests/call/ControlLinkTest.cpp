#include "call/ControlLink.h"

#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTest>

#include <memory>
#include <vector>

#include "RawPeer.h"

namespace {

using namespace std::chrono_literals;

// A listener whose accept queue is full, so that further connects hang as
// they do towards a machine that does not answer.
class DeafListener {
public:
    DeafListener() {
        server_.setListenBacklogSize(0);
        server_.listen(QHostAddress::LocalHost, 0);
        server_.pauseAccepting();
        for (int i = 0; i < 3; ++i) {
            auto& socket = fillers_.emplace_back(std::make_unique<QTcpSocket>());
            socket->connectToHost(QHostAddress::LocalHost, server_.serverPort());
        }
        QTest::qWait(200);
    }
    quint16 Port() const { return server_.serverPort(); }

private:
    QTcpServer server_;
    std::vector<std::unique_ptr<QTcpSocket>> fillers_;
};

TEST(ControlLinkTest, ConnectThatGetsNoAnswerEndsAtTheLimit) {
    DeafListener deaf;
    auto* link = new ControlLink(nullptr);
    QSignalSpy failed(link, &ControlLink::ConnectFailed);
    QSignalSpy connected(link, &ControlLink::Connected);
    link->Dial(QHostAddress::LocalHost, deaf.Port(), 300ms);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !failed.isEmpty(); }, RawPeer::kWaitMs));
    EXPECT_EQ(failed.first().first().value<ControlLink::ConnectError>(),
              ControlLink::ConnectError::TimedOut);
    EXPECT_TRUE(connected.isEmpty());
    link->Close();
}

TEST(ControlLinkTest, RefusedConnectSaysSo) {
    auto* link = new ControlLink(nullptr);
    QSignalSpy failed(link, &ControlLink::ConnectFailed);
    link->Dial(QHostAddress::LocalHost, RawPeer::FreePort(), 5s);
    ASSERT_TRUE(QTest::qWaitFor([&] { return !failed.isEmpty(); }, RawPeer::kWaitMs));
    EXPECT_EQ(failed.first().first().value<ControlLink::ConnectError>(),
              ControlLink::ConnectError::Refused);
    link->Close();
}

}  // namespace
