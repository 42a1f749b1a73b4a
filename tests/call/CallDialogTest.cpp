#include "call/CallDialog.h"

#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <memory>

#include "CallFakes.h"
#include "RawPeer.h"
#include "call/ControlChannel.h"
#include "settings/SettingsStore.h"
#include "settings/TerminalSettings.h"

namespace {

class CallDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings.SetPartnerAddress(QStringLiteral("10.1.2.3"));
        settings.SetServicePort(QStringLiteral("5928"));
        settings.SetContactName(QStringLiteral("张三"));
        dialog = std::make_unique<CallDialog>(store, channel, boxes);
    }

    template <typename Widget>
    Widget* Control(const char* name) {
        return dialog->findChild<Widget*>(QString::fromLatin1(name));
    }

    QTemporaryDir dir;
    TerminalSettings settings;
    SettingsStore store{settings, dir.filePath(QStringLiteral("system.ini")), dir.path()};
    CallState call;
    MediaState media;
    FakeView view{media};
    ScriptedBoxes boxes;
    FakeRinger ringer;
    ControlChannel channel{settings, call, media, view, boxes, ringer};
    std::unique_ptr<CallDialog> dialog;
};

TEST_F(CallDialogTest, OpensWithTheStoredPartner) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("点对点呼叫"));
    EXPECT_EQ(Control<QLineEdit>("1083")->text(), QStringLiteral("10.1.2.3"));
    EXPECT_EQ(Control<QLineEdit>("1003")->text(), QStringLiteral("5928"));
    EXPECT_EQ(Control<QLabel>("1169")->text(), QStringLiteral("张三"));
}

TEST_F(CallDialogTest, ResolvesADomainNameOrAsksForOne) {
    Control<QPushButton>("1176")->click();
    ASSERT_EQ(boxes.informs.size(), 1u);
    EXPECT_EQ(boxes.informs[0].text, "请输入域名地址！");
    EXPECT_EQ(boxes.informs[0].caption, "提示");

    Control<QLineEdit>("1175")->setText(QStringLiteral("localhost"));
    Control<QPushButton>("1176")->click();
    EXPECT_TRUE(QTest::qWaitFor(
        [&] { return Control<QLineEdit>("1083")->text() == QStringLiteral("127.0.0.1"); },
        RawPeer::kWaitMs));
    EXPECT_EQ(settings.partnerAddress(), QStringLiteral("127.0.0.1"));
}

TEST_F(CallDialogTest, ConnectStoresThePartnerWaitsAndCloses) {
    RawPeer called;
    const QString port = QString::number(called.Listen());
    dialog->open();
    Control<QLineEdit>("1083")->setText(QStringLiteral("127.0.0.1"));
    Control<QLineEdit>("1003")->setText(port);
    Control<QPushButton>("connect")->click();

    EXPECT_TRUE(dialog->IsConnecting());
    EXPECT_FALSE(Control<QPushButton>("quit")->isEnabled());
    EXPECT_FALSE(Control<QLabel>("progress")->text().isEmpty());
    dialog->reject();
    EXPECT_TRUE(dialog->isVisible());

    ASSERT_TRUE(called.AcceptCall());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !dialog->isVisible(); }, RawPeer::kWaitMs));
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_TRUE(call.connected);
    EXPECT_EQ(settings.partnerAddress(), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(settings.servicePort(), port);
    EXPECT_EQ(store.Read(Setting::Ip), QStringLiteral("127.0.0.1"));
    EXPECT_EQ(store.Read(Setting::ConnectPort), port);
    EXPECT_EQ(store.Read(Setting::Contact), QStringLiteral("张三"));
    // The service port key belongs to the settings page, not to a call.
    EXPECT_EQ(store.Read(Setting::Rport), QStringLiteral("5928"));
}

}  // namespace
