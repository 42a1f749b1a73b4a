// The caller's side of ControlChannel against a raw called side over
// 127.0.0.1.
#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QSignalSpy>

#include "ControlChannelFixture.h"
#include "call/ControlChannel.h"
#include "call/ControlMessages.h"
#include "settings/TerminalSettings.h"

namespace {

class ControlChannelCallerTest : public ControlChannelFixture {
protected:
    void SetUp() override { settings.SetPartnerAddress(QStringLiteral("127.0.0.1")); }

    // Connects to the peer, which takes the connection.
    void Call(RawPeer& called) {
        settings.SetServicePort(QString::number(called.Listen()));
        QSignalSpy finished(&channel, &ControlChannel::ConnectFinished);
        channel.Connect();
        ASSERT_TRUE(called.AcceptCall());
        ASSERT_TRUE(QTest::qWaitFor([&] { return !finished.isEmpty(); }, RawPeer::kWaitMs));
        ASSERT_EQ(finished.first().first().toBool(), true);
        ASSERT_TRUE(call.connected);
    }
};

TEST_F(ControlChannelCallerTest, ConnectShowsTheCallAndRunsOneKeyWhenSet) {
    settings.SetText(Setting::CallOneKey, QStringLiteral("Y"));
    RawPeer called;
    Call(called);
    EXPECT_TRUE(call.callerLinkOpen);
    EXPECT_EQ(view.panes[0], QStringLiteral("      连接状态:"));
    EXPECT_EQ(view.panes[1], QStringLiteral("已连接成功，正在通信中..."));
    EXPECT_TRUE(view.buttonVisible[CallView::kCallerSendButtonId]);
    EXPECT_TRUE(view.inputEnabled);
    EXPECT_FALSE(view.menuEnabled[CallView::kStartServiceMenuId]);
    EXPECT_FALSE(view.menuEnabled[CallView::kCallMenuId]);
    EXPECT_TRUE(view.menuEnabled[CallView::kHangUpMenuId]);
    EXPECT_EQ(view.oneKeyRuns, 1);
    EXPECT_EQ(called.ReceiveMore(), QByteArray());
}

TEST_F(ControlChannelCallerTest, AnswersAndChatGoOnTop) {
    const struct {
        const char* name;
        QByteArray bytes;
        QString line;
    } cases[] = {
        {"welcome", ControlMessages::Welcome(), QStringLiteral("对端:欢迎登录和交流!\r\n")},
        {"quick welcome", ControlMessages::QuickWelcome(), QStringLiteral("对端:呼叫成功!\r\n")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        RawPeer called;
        Call(called);
        view.transcript.clear();
        called.Send(c.bytes + ControlMessages::ChatBlock(QStringLiteral("你好")));
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return view.transcript.startsWith(QStringLiteral("对端:你好")); },
                            RawPeer::kWaitMs));
        EXPECT_EQ(view.transcript, QStringLiteral("对端:你好\r\n") + c.line);
        channel.HangUp();
    }
}

TEST_F(ControlChannelCallerTest, RefusalIsToldAndAnsweredWithSystemQuit) {
    RawPeer called;
    Call(called);
    // The refused side may stop its service right after; the refusal still
    // stands alone.
    called.Send(QByteArray("REJECT") + ControlMessages::ServerQuit());
    EXPECT_EQ(called.Receive(11), ControlMessages::SystemQuit());
    EXPECT_TRUE(called.WaitClosedByTerminal());
    ASSERT_EQ(boxes.informs.size(), 1u);
    EXPECT_EQ(boxes.informs[0].text, "对端暂未接受您的呼叫，请稍候再拨！");
    EXPECT_EQ(boxes.informs[0].caption, "提示");
    EXPECT_FALSE(call.connected);
    EXPECT_FALSE(call.callerLinkOpen);
    EXPECT_EQ(view.panes[1], QStringLiteral("本机已中断连接！"));
    EXPECT_TRUE(view.menuEnabled[CallView::kCallMenuId]);
    EXPECT_FALSE(view.menuEnabled[CallView::kHangUpMenuId]);
    EXPECT_TRUE(view.menuEnabled[CallView::kStartServiceMenuId]);
    EXPECT_FALSE(view.buttonVisible[CallView::kCallerSendButtonId]);
    EXPECT_FALSE(view.inputEnabled);
}

TEST_F(ControlChannelCallerTest, ServiceThatStopsOrVanishesEndsTheCall) {
    for (const bool vanish : {false, true}) {
        SCOPED_TRACE(vanish ? "vanished" : "SERVERQUIT");
        RawPeer called;
        Call(called);
        media.oneKeyOn = 1;
        media.remoteVideoOpen = 1;
        view.fullPictureCloses = 0;
        if (vanish) {
            called.Vanish();
        } else {
            called.Send(ControlMessages::Welcome() + ControlMessages::ServerQuit());
        }
        ASSERT_TRUE(WaitForPane1(QStringLiteral("对方已停止服务！")));
        EXPECT_EQ(view.fullPictureCloses, 1);
        EXPECT_FALSE(call.connected);
        EXPECT_FALSE(call.callerLinkOpen);
        EXPECT_EQ(media.oneKeyOn, 0);
        EXPECT_EQ(media.remoteVideoOpen, 0);
        EXPECT_FALSE(view.buttonVisible[CallView::kCallerSendButtonId]);
        EXPECT_FALSE(view.inputEnabled);
        // The menus keep their look of a call until the user hangs up.
        EXPECT_FALSE(view.menuEnabled[CallView::kCallMenuId]);
        EXPECT_TRUE(view.menuEnabled[CallView::kHangUpMenuId]);
        if (!vanish) {
            EXPECT_TRUE(called.WaitClosedByTerminal());
        }
        channel.HangUp();
        EXPECT_EQ(view.panes[1], QStringLiteral("本机已中断连接！"));
        EXPECT_TRUE(view.menuEnabled[CallView::kCallMenuId]);
    }
}

TEST_F(ControlChannelCallerTest, HangUpAndChatWriteTheirBlocks) {
    RawPeer called;
    Call(called);
    view.input = QStringLiteral("hi");
    channel.SendChat(CallView::kCallerSendButtonId);
    EXPECT_EQ(called.Receive(100), ControlMessages::ChatBlock(QStringLiteral("hi")));
    EXPECT_EQ(view.transcript, QStringLiteral("本机：hi\r\n"));

    channel.HangUp();
    EXPECT_EQ(called.Receive(11), ControlMessages::SystemQuit());
    EXPECT_TRUE(called.WaitClosedByTerminal());
    EXPECT_EQ(view.panes[1], QStringLiteral("本机已中断连接！"));
    EXPECT_FALSE(call.connected);
}

TEST_F(ControlChannelCallerTest, FailedConnectTellsWhyAndChangesNothing) {
    const struct {
        const char* name;
        QString address;
        QString port;
        std::string text;
    } cases[] = {
        {"nobody listens", QStringLiteral("127.0.0.1"), QString::number(RawPeer::FreePort()),
         "呼叫失败：对端拒绝连接（对端未开启服务）！"},
        {"no address", QStringLiteral("not an address"), QStringLiteral("5928"),
         "呼叫失败：对端地址“not an address”或端口号“5928”无效！"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        settings.SetPartnerAddress(c.address);
        settings.SetServicePort(c.port);
        boxes.informs.clear();
        QSignalSpy finished(&channel, &ControlChannel::ConnectFinished);
        QElapsedTimer clock;
        clock.start();
        channel.Connect();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !finished.isEmpty(); }, 10000));
        EXPECT_LT(clock.elapsed(), 10000);
        EXPECT_FALSE(finished.first().first().toBool());
        ASSERT_EQ(boxes.informs.size(), 1u);
        EXPECT_EQ(boxes.informs[0].text, c.text);
        EXPECT_EQ(boxes.informs[0].caption, "提示");
        EXPECT_FALSE(channel.IsConnecting());
        EXPECT_FALSE(call.connected);
        EXPECT_FALSE(call.callerLinkOpen);
        EXPECT_TRUE(view.panes.empty());
        EXPECT_TRUE(view.menuEnabled.empty());
    }
}

TEST_F(ControlChannelCallerTest, CallCommandRefusesDuringACall) {
    for (const bool connected : {false, true}) {
        SCOPED_TRACE(connected ? "connected" : "idle");
        call.connected = connected;
        view.menuEnabled.clear();
        boxes.informs.clear();
        int dialogs = 0;
        channel.CallCommand([&] { ++dialogs; });
        EXPECT_EQ(dialogs, connected ? 0 : 1);
        if (connected) {
            ASSERT_EQ(boxes.informs.size(), 1u);
            EXPECT_EQ(boxes.informs[0].text, "正在通信连接中，不能开启新的呼叫！");
            EXPECT_EQ(boxes.informs[0].caption, "连接提示");
            EXPECT_FALSE(view.menuEnabled.at(CallView::kCallMenuId));
            EXPECT_TRUE(view.menuEnabled.at(CallView::kHangUpMenuId));
        } else {
            EXPECT_TRUE(boxes.informs.empty());
            EXPECT_TRUE(view.menuEnabled.empty());
        }
    }
}

}  // namespace
