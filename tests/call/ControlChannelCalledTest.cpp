// The called side of ControlChannel against a raw caller over 127.0.0.1.
#include <gtest/gtest.h>

#include "ControlChannelFixture.h"
#include "call/ControlChannel.h"
#include "call/ControlMessages.h"
#include "settings/TerminalSettings.h"

namespace {

const QString kWelcomeLine = QStringLiteral("\r\n呼叫方(127.0.0.1)已连接本机:");

class ControlChannelCalledTest : public ControlChannelFixture {
protected:
    void SetUp() override {
        settings.SetLocalAddress(QStringLiteral("127.0.0.1"));
        settings.SetServicePort(QString::number(RawPeer::FreePort()));
        settings.SetPartnerAddress(QStringLiteral("192.168.0.1"));
    }

    quint16 Port() const { return settings.servicePort().toUShort(); }

    void Listen() {
        channel.StartService();
        ASSERT_TRUE(channel.IsListening());
    }

    // A call taken after asking, with the welcome already read by the caller.
    void TakeCall(RawPeer& caller) {
        Listen();
        boxes.answers = {true};
        ASSERT_TRUE(caller.Dial(Port()));
        ASSERT_EQ(caller.Receive(18), ControlMessages::Welcome());
        ASSERT_TRUE(call.connected);
    }
};

TEST_F(ControlChannelCalledTest, StartServiceListensAndGreysTheCallMenus) {
    Listen();
    EXPECT_EQ(view.panes[3], QStringLiteral("服务已开启，监听中..."));
    EXPECT_FALSE(view.menuEnabled[CallView::kCallMenuId]);
    EXPECT_FALSE(view.menuEnabled[CallView::kHangUpMenuId]);
    EXPECT_FALSE(view.menuEnabled[CallView::kStartServiceMenuId]);
    EXPECT_TRUE(view.menuEnabled[CallView::kStopServiceMenuId]);
    EXPECT_TRUE(boxes.informs.empty());
}

TEST_F(ControlChannelCalledTest, ServiceThatCannotListenSaysWhy) {
    QTcpServer squatter;
    ASSERT_TRUE(squatter.listen(QHostAddress::LocalHost, Port()));
    channel.StartService();
    EXPECT_FALSE(channel.IsListening());
    EXPECT_EQ(view.panes[3], QStringLiteral("服务开启失败！"));
    ASSERT_EQ(boxes.informs.size(), 1u);
    EXPECT_EQ(boxes.informs[0].caption, "提示");
    EXPECT_NE(boxes.informs[0].text.find("已被占用"), std::string::npos);
    EXPECT_TRUE(view.menuEnabled[CallView::kStartServiceMenuId]);
    EXPECT_FALSE(view.menuEnabled[CallView::kStopServiceMenuId]);
}

TEST_F(ControlChannelCalledTest, IncomingCallIsTakenAsConfigured) {
    const struct {
        const char* name;
        bool acceptWithoutAsking;
        QByteArray answer;
        QString transcriptEnd;
        QString pane1;
        int acceptedCallCount;
    } cases[] = {
        {"after asking", false, ControlMessages::Welcome(), kWelcomeLine,
         QStringLiteral("呼叫成功，正在通信中..."), 1},
        {"without asking", true, ControlMessages::QuickWelcome(),
         QStringLiteral("\r\n对端(127.0.0.1)已连上本机:"), QStringLiteral("已连接，正在通信中..."),
         0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TerminalSettings settings;
        settings.SetLocalAddress(QStringLiteral("127.0.0.1"));
        settings.SetServicePort(QString::number(RawPeer::FreePort()));
        settings.SetText(Setting::PtpAcceptCall, c.acceptWithoutAsking ? "Y" : "N");
        CallState call;
        MediaState media;
        FakeView view{media};
        view.transcript = QStringLiteral("old");
        ScriptedBoxes boxes;
        boxes.answers = {true};
        FakeRinger ringer;
        ControlChannel channel{settings, call, media, view, boxes, ringer};
        channel.StartService();
        RawPeer caller;
        ASSERT_TRUE(caller.Dial(settings.servicePort().toUShort()));

        EXPECT_EQ(caller.Receive(18), c.answer);
        EXPECT_EQ(caller.ReceiveMore(), QByteArray());
        EXPECT_TRUE(call.connected);
        EXPECT_EQ(call.acceptedCallCount, c.acceptedCallCount);
        EXPECT_EQ(view.transcript, QStringLiteral("old") + c.transcriptEnd);
        EXPECT_EQ(view.panes[0], QStringLiteral("      连接状态:"));
        EXPECT_EQ(view.panes[1], c.pane1);
        EXPECT_TRUE(view.buttonVisible[CallView::kCalledSendButtonId]);
        EXPECT_TRUE(view.inputEnabled);
        EXPECT_FALSE(view.menuEnabled[CallView::kStartServiceMenuId]);
        EXPECT_EQ(settings.partnerAddress(), QStringLiteral("127.0.0.1"));
        if (c.acceptWithoutAsking) {
            EXPECT_TRUE(boxes.asks.empty());
            EXPECT_TRUE(ringer.calls.empty());
            EXPECT_EQ(view.panes[3], QStringLiteral("服务已开启，监听中..."));
        } else {
            ASSERT_EQ(boxes.asks.size(), 1u);
            EXPECT_EQ(boxes.asks[0].text, "是否接受远端呼叫?");
            EXPECT_EQ(boxes.asks[0].caption, "远端呼叫");
            EXPECT_EQ(ringer.calls, (std::vector<std::string>{"start call.wav", "stop"}));
            EXPECT_EQ(view.panes[3], QStringLiteral("已登录客户数:1"));
        }
    }
}

TEST_F(ControlChannelCalledTest, RefusedCallerGetsRejectAndItsQuitClosesTheService) {
    for (const bool restart : {false, true}) {
        SCOPED_TRACE(restart ? "ptpservice Y" : "ptpservice N");
        settings.SetText(Setting::PtpService, restart ? "Y" : "N");
        Listen();
        boxes.answers = {false};
        RawPeer caller;
        ASSERT_TRUE(caller.Dial(Port()));
        EXPECT_EQ(caller.Receive(6), QByteArray("REJECT"));
        EXPECT_EQ(caller.ReceiveMore(), QByteArray());
        EXPECT_FALSE(call.connected);
        EXPECT_EQ(call.acceptedCallCount, 0);

        caller.Send(ControlMessages::SystemQuit());
        ASSERT_TRUE(WaitForPane1(QStringLiteral("对方已断开连接！")));
        EXPECT_EQ(view.panes[3], restart ? QStringLiteral("服务已开启，监听中...")
                                         : QStringLiteral("服务已关闭！"));
        EXPECT_EQ(channel.IsListening(), restart);
        EXPECT_TRUE(caller.WaitClosedByTerminal());
        channel.CloseService();
        view.panes.clear();
    }
}

TEST_F(ControlChannelCalledTest, ReceivedChatGoesOnTopAsPlainText) {
    RawPeer caller;
    TakeCall(caller);
    const struct {
        const char* name;
        QByteArray block;
        QString line;
    } cases[] = {
        {"99 GBK bytes",
         ControlMessages::ChatBlock(QString::fromLatin1("x") + QString(49, QChar(0x4F60))),
         QStringLiteral("x") + QString(49, QChar(0x4F60))},
        {"empty line", ControlMessages::ChatBlock(QString()), QString()},
        {"markup", ControlMessages::ChatBlock(QStringLiteral("<i>hi</i>")),
         QStringLiteral("<i>hi</i>")},
        {"100 bytes without zero", QByteArray(100, 'q'), QString(100, u'q')},
        {"invalid GBK and control bytes", QByteArray("\xFF\x01ok", 4) + QByteArray(96, '\0'),
         QStringLiteral("\uFFFD\uFFFDok")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString before = view.transcript;
        caller.Send(c.block);
        ASSERT_TRUE(QTest::qWaitFor([&] { return view.transcript != before; }, RawPeer::kWaitMs));
        EXPECT_EQ(view.transcript,
                  QStringLiteral("对端:") + c.line + QStringLiteral("\r\n") + before);
    }
    EXPECT_TRUE(call.connected);
}

TEST_F(ControlChannelCalledTest, MergedSplitAndStrayBytesFromTheCaller) {
    RawPeer caller;
    TakeCall(caller);
    const QByteArray a = ControlMessages::ChatBlock(QStringLiteral("a"));
    caller.Send(a.left(40));
    QTest::qWait(50);
    caller.Send(a.mid(40) + ControlMessages::ChatBlock(QStringLiteral("b")));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return view.transcript.startsWith(QStringLiteral("对端:b")); }, RawPeer::kWaitMs));
    EXPECT_EQ(view.transcript, QStringLiteral("对端:b\r\n对端:a\r\n") + kWelcomeLine);

    // A short message of another kind of peer shows once no more comes.
    caller.Send(QByteArray("short\0", 6));
    ASSERT_TRUE(QTest::qWaitFor(
        [&] { return view.transcript.startsWith(QStringLiteral("对端:short\r\n")); },
        RawPeer::kWaitMs));

    caller.Send(ControlMessages::ChatBlock(QStringLiteral("last")) + ControlMessages::SystemQuit());
    ASSERT_TRUE(WaitForPane1(QStringLiteral("对方已断开连接！")));
    EXPECT_TRUE(view.transcript.startsWith(QStringLiteral("对端:last\r\n")));
    EXPECT_FALSE(call.connected);
}

TEST_F(ControlChannelCalledTest, SendChatWritesOneBlockAndShowsIt) {
    RawPeer caller;
    TakeCall(caller);
    const QString longText = QString(60, QChar(0x4F60));
    view.input = longText;
    channel.SendChat(CallView::kCalledSendButtonId);
    const QByteArray block = caller.Receive(100);
    EXPECT_EQ(block, ControlMessages::ChatBlock(longText));
    EXPECT_EQ(block.indexOf('\0'), 98);
    EXPECT_EQ(view.transcript, QStringLiteral("本机：") + QString(49, QChar(0x4F60)) +
                                   QStringLiteral("\r\n") + kWelcomeLine);
    EXPECT_EQ(view.inputClears, 1);
    EXPECT_TRUE(view.input.isEmpty());
}

TEST_F(ControlChannelCalledTest, StopServiceSendsServerQuitAndCloses) {
    RawPeer caller;
    TakeCall(caller);
    channel.StopService();
    EXPECT_EQ(caller.Receive(11), ControlMessages::ServerQuit());
    EXPECT_TRUE(caller.WaitClosedByTerminal());
    EXPECT_FALSE(call.connected);
    EXPECT_FALSE(channel.IsListening());
    EXPECT_EQ(view.panes[1], QStringLiteral("本机已停止连接！"));
    EXPECT_EQ(view.panes[3], QStringLiteral("服务已关闭！"));
    EXPECT_FALSE(view.buttonVisible[CallView::kCalledSendButtonId]);
    EXPECT_FALSE(view.inputEnabled);
    EXPECT_TRUE(view.menuEnabled[CallView::kCallMenuId]);
    EXPECT_FALSE(view.menuEnabled[CallView::kHangUpMenuId]);
    EXPECT_TRUE(view.menuEnabled[CallView::kStartServiceMenuId]);
    EXPECT_FALSE(view.menuEnabled[CallView::kStopServiceMenuId]);
}

TEST_F(ControlChannelCalledTest, CallerThatVanishesIsTakenAsLeaving) {
    settings.SetText(Setting::PtpService, QStringLiteral("Y"));
    RawPeer caller;
    TakeCall(caller);
    caller.Vanish();
    ASSERT_TRUE(WaitForPane1(QStringLiteral("对方已断开连接！")));
    EXPECT_FALSE(call.connected);
    EXPECT_EQ(view.fullPictureCloses, 1);
    EXPECT_EQ(view.panes[3], QStringLiteral("服务已开启，监听中..."));

    RawPeer next;
    boxes.answers = {true};
    ASSERT_TRUE(next.Dial(Port()));
    EXPECT_EQ(next.Receive(18), ControlMessages::Welcome());
    EXPECT_EQ(call.acceptedCallCount, 2);
}

TEST_F(ControlChannelCalledTest, SecondCallerIsRefusedAndTheCallGoesOn) {
    RawPeer caller;
    TakeCall(caller);
    RawPeer intruder;
    ASSERT_TRUE(intruder.Dial(Port()));
    EXPECT_EQ(intruder.Receive(6), QByteArray("REJECT"));
    EXPECT_TRUE(intruder.WaitClosedByTerminal());
    EXPECT_EQ(boxes.asks.size(), 1u);
    EXPECT_TRUE(call.connected);

    caller.Send(ControlMessages::ChatBlock(QStringLiteral("still here")));
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return view.transcript.startsWith(QStringLiteral("对端:still here")); },
        RawPeer::kWaitMs));
}

TEST_F(ControlChannelCalledTest, OneKeyRunsBeforeTheWelcomeAndClosesWithTheCall) {
    settings.SetText(Setting::PtpDirectEnter, QStringLiteral("Y"));
    RawPeer caller;
    qint64 bytesAtOneKey = -1;
    view.onOneKey = [&] {
        QTest::qWait(100);
        bytesAtOneKey = caller.Socket().bytesAvailable();
    };
    TakeCall(caller);
    EXPECT_EQ(view.oneKeyRuns, 1);
    EXPECT_EQ(bytesAtOneKey, 0);

    caller.Send(ControlMessages::SystemQuit());
    ASSERT_TRUE(WaitForPane1(QStringLiteral("对方已断开连接！")));
    EXPECT_EQ(view.oneKeyCloses, 1);
    EXPECT_EQ(media.oneKeyOn, 0);
}

TEST_F(ControlChannelCalledTest, CallerLeavingWhileRingingLeavesNothingBehind) {
    Listen();
    RawPeer caller;
    boxes.answers = {true};
    boxes.whileAsking = [&] {
        caller.Vanish();
        (void)WaitForPane1(QStringLiteral("对方已断开连接！"));
    };
    // The question comes, and the caller vanishes, while the dial waits.
    (void)caller.Dial(Port());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !boxes.asks.empty(); }, RawPeer::kWaitMs));
    QTest::qWait(100);
    EXPECT_EQ(ringer.calls, (std::vector<std::string>{"start call.wav", "stop"}));
    EXPECT_FALSE(call.connected);
    EXPECT_EQ(call.acceptedCallCount, 0);
    EXPECT_EQ(view.panes[1], QStringLiteral("对方已断开连接！"));
    EXPECT_FALSE(view.buttonVisible[CallView::kCalledSendButtonId]);
}

}  // namespace
