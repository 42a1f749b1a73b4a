#include <gtest/gtest.h>

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QSystemTrayIcon>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QToolBar>

#include "app/CommandIds.h"
#include "app/FullPictureView.h"
#include "app/MenuDefinitions.h"
#include "app/MessageBoxes.h"
#include "app/PictureArea.h"
#include "app/TerminalWindow.h"
#include "settings/SettingsStore.h"
#include "settings/TerminalSettings.h"

namespace {

struct Box {
    std::string caption;
    std::string text;
    bool operator==(const Box&) const = default;
};

class ScriptedBoxes : public MessageBoxes {
public:
    void Inform(const std::string& text, const std::string& caption) override {
        shown.push_back({caption, text});
    }
    bool Ask(const std::string& text, const std::string& caption) override {
        shown.push_back({caption, text});
        return answer;
    }
    std::vector<Box> shown;
    bool answer = false;
};

// Records which hooks of later subsystems the window reaches, in order.
class RecordingWindow : public TerminalWindow {
public:
    using TerminalWindow::TerminalWindow;
    std::vector<std::string> calls;

protected:
    void Note(std::string call) { calls.push_back(std::move(call)); }
    void RegisterVideoDecoders() override { Note("RegisterVideoDecoders"); }
    void InitNetwork() override { Note("InitNetwork"); }
    void BindMixerFaders() override { Note("BindMixerFaders"); }
    void StartAudioThreads() override { Note("StartAudioThreads"); }
    void AttachDisplayTarget() override { Note("AttachDisplayTarget"); }
    void AllocateSharedBuffers() override { Note("AllocateSharedBuffers"); }
    void CreateDisplaySurface() override { Note("CreateDisplaySurface"); }
    void StartService() override { Note("StartService"); }
    void StopService() override { Note("StopService"); }
    void CallCommand() override { Note("CallCommand"); }
    void HangUp() override { Note("HangUp"); }
    void SendChatAsCalledSide() override { Note("SendChatAsCalledSide"); }
    void SendChatAsCaller() override { Note("SendChatAsCaller"); }
    void RunMediaSwitch(int id) override { Note("RunMediaSwitch " + std::to_string(id)); }
    void SignalReceiveThreadsToStop() override { Note("SignalReceiveThreadsToStop"); }
    void CloseOpenStreams() override { Note("CloseOpenStreams"); }
    void StopReceiveThreads() override { Note("StopReceiveThreads"); }
    void OpenConfiguration() override { Note("OpenConfiguration"); }
    void OpenCaptionDialog() override { Note("OpenCaptionDialog"); }
    void OpenPtzPanel() override { Note("OpenPtzPanel"); }
    void OpenCameraSwitch() override { Note("OpenCameraSwitch"); }
    void OpenImageAdjust() override { Note("OpenImageAdjust"); }
    void TogglePictureInPicture() override { Note("TogglePictureInPicture"); }
    void OpenPipSettings() override { Note("OpenPipSettings"); }
    void OpenMixerPanel() override { Note("OpenMixerPanel"); }
    void RequestSnapshot(bool withSound) override {
        Note(withSound ? "RequestSnapshot" : "RequestSilentSnapshot");
    }
    void PlaySoundCue(const QString& file) override { Note("PlaySoundCue " + file.toStdString()); }
    void StartRecording() override { Note("StartRecording"); }
    void StopRecording() override { Note("StopRecording"); }
};

class TerminalWindowTest : public ::testing::Test {
protected:
    void Create(const QString& ptpService = {}) {
        if (!ptpService.isNull()) {
            SettingsStore::WriteString(IniPath(), "ptpsetup", "ptpservice", ptpService);
        }
        store_ = std::make_unique<SettingsStore>(settings_, IniPath(), folder_.path());
        window_ = std::make_unique<RecordingWindow>(boxes_, *store_, QSize(1280, 800));
        window_->Initialise();
    }
    QString IniPath() const { return folder_.filePath("system.ini"); }
    RecordingWindow& Window() { return *window_; }
    std::vector<std::string> TakeCalls() { return std::exchange(window_->calls, {}); }

    QTemporaryDir folder_;
    ScriptedBoxes boxes_;
    TerminalSettings settings_;
    std::unique_ptr<SettingsStore> store_;
    std::unique_ptr<RecordingWindow> window_;
};

QAction* ActionWithId(const QList<QAction*>& actions, int id) {
    for (QAction* action : actions) {
        if (action->data().toInt() == id) return action;
    }
    return nullptr;
}

QList<QAction*> MenuBarActions(TerminalWindow& window) {
    return window.MenuBar().actions().first()->menu()->actions();
}

TEST_F(TerminalWindowTest, InitialiseRunsItsStepsInOrderAndStartsTheServiceOnlyForExactlyY) {
    const std::vector<std::string> steps = {
        "RegisterVideoDecoders", "InitNetwork",         "BindMixerFaders",
        "StartAudioThreads",     "AttachDisplayTarget", "AllocateSharedBuffers",
        "CreateDisplaySurface",
    };
    const std::pair<QString, bool> cases[] = {
        {QString(), false}, {"y", false}, {"YES", false}, {"Y", true}};
    for (const auto& [value, starts] : cases) {
        SCOPED_TRACE(value.toStdString());
        Create(value);
        std::vector<std::string> expected = steps;
        if (starts) expected.push_back("StartService");
        EXPECT_EQ(TakeCalls(), expected);
    }
}

TEST_F(TerminalWindowTest, StartsWithItsCaptionStatusPanesAndIdlePictures) {
    Create();
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("【澜川汇】视频电话终端"));
    EXPECT_EQ(Window().PaneText(0), QStringLiteral("       本机IP:"));
    EXPECT_EQ(Window().PaneText(1), settings_.localAddress());
    for (int pane = 2; pane < 8; ++pane) EXPECT_EQ(Window().PaneText(pane), QString());
    EXPECT_FALSE(Window().IsInputEnabled());
    EXPECT_FALSE(Window().ClearInputButton().isEnabled());
    EXPECT_FALSE(Window().CalledSideSendButton().isEnabled());
    EXPECT_TRUE(Window().LocalPictureArea().ShowsIdlePicture());
    EXPECT_TRUE(Window().RemotePictureArea().ShowsIdlePicture());
    EXPECT_TRUE(Window().IsMenuEnabled(CommandId::kStartService));
    EXPECT_FALSE(Window().IsMenuEnabled(CommandId::kStopService));
    EXPECT_FALSE(Window().IsMenuEnabled(CommandId::kHangUp));
}

TEST_F(TerminalWindowTest, EveryCommandOfTheMenusToolbarAndButtonsHasAHandler) {
    Create();
    std::vector<int> ids = {16,   1022, 1006,  1029,  32809, 32845, 57670, 1192,
                            1221, 1222, 32777, 32778, 32779, 32780, 32781};
    for (const auto table : {MenuDefinitions::SystemMenu(), MenuDefinitions::FullPicturePopup(),
                             MenuDefinitions::TrayMenu(), MenuDefinitions::Toolbar()}) {
        for (const MenuEntry& entry : table) {
            if (entry.id != 0) ids.push_back(entry.id);
        }
    }
    for (const int id : ids) EXPECT_TRUE(Window().HasCommand(id)) << id;
    EXPECT_FALSE(Window().HasCommand(12345));
    EXPECT_FALSE(Window().RunCommand(12345));
}

TEST_F(TerminalWindowTest, MenuToolbarPopupAndButtonsReachTheirHandlers) {
    Create();
    TakeCalls();
    for (QAction* action : MenuBarActions(Window())) action->setEnabled(true);
    const std::unique_ptr<QMenu> popup = Window().FullPicture().CreatePopupMenu();
    Window().Media().captureOff.store(0);

    enum class From { MenuBar, Toolbar, Popup };
    const struct {
        From from;
        int id;
        std::string call;
    } cases[] = {
        {From::MenuBar, 32810, "StartService"},
        {From::MenuBar, 32811, "StopService"},
        {From::MenuBar, 32774, "CallCommand"},
        {From::MenuBar, 32775, "HangUp"},
        {From::MenuBar, 32776, "OpenConfiguration"},
        {From::MenuBar, 32860, "OpenCaptionDialog"},
        {From::MenuBar, 32863, "OpenPtzPanel"},
        {From::MenuBar, 32856, "OpenCameraSwitch"},
        {From::MenuBar, 32869, "RunMediaSwitch 32869"},
        {From::MenuBar, 32870, "RunMediaSwitch 32870"},
        {From::Toolbar, 32813, "CallCommand"},
        {From::Toolbar, 32814, "OpenConfiguration"},
        {From::Toolbar, 32834, "RunMediaSwitch 32834"},
        {From::Popup, 32856, "OpenCameraSwitch"},
        {From::Popup, 32857, "OpenImageAdjust"},
        {From::Popup, 32858, "OpenCaptionDialog"},
        {From::Popup, 32864, "OpenPtzPanel"},
        {From::Popup, 32865, "TogglePictureInPicture"},
        {From::Popup, 32866, "OpenPipSettings"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.id);
        const QList<QAction*> actions = c.from == From::MenuBar   ? MenuBarActions(Window())
                                        : c.from == From::Toolbar ? Window().ToolBar().actions()
                                                                  : popup->actions();
        QAction* action = ActionWithId(actions, c.id);
        ASSERT_NE(action, nullptr);
        action->trigger();
        EXPECT_EQ(TakeCalls(), std::vector<std::string>{c.call});
    }

    const std::pair<int, std::string> buttons[] = {
        {1022, "SendChatAsCalledSide"}, {1006, "SendChatAsCaller"},    {1192, "OpenMixerPanel"},
        {1221, "RunMediaSwitch 1221"},  {1222, "RunMediaSwitch 1222"},
    };
    for (const auto& [id, call] : buttons) {
        auto* button = Window().findChild<QPushButton*>(QStringLiteral("button%1").arg(id));
        ASSERT_NE(button, nullptr) << id;
        button->setEnabled(true);
        button->click();
        EXPECT_EQ(TakeCalls(), std::vector<std::string>{call}) << id;
    }
}

TEST_F(TerminalWindowTest, ToolbarHasItsButtonsTooltipsAndPictures) {
    Create();
    QList<QAction*> buttons;
    for (QAction* action : Window().ToolBar().actions()) {
        if (!action->isSeparator()) buttons.append(action);
    }
    ASSERT_EQ(buttons.size(), 15);
    EXPECT_EQ(buttons[0]->toolTip(), QStringLiteral("呼叫远端计算机"));
    EXPECT_EQ(buttons[2]->toolTip(), QStringLiteral("[一键打开/关闭]点对点音视频"));
    EXPECT_EQ(buttons[9]->data().toInt(), CommandId::kOneKey);
    for (int i = 0; i < 8; ++i) EXPECT_FALSE(buttons[i]->icon().isNull()) << i;
    for (int i = 8; i < 15; ++i) EXPECT_TRUE(buttons[i]->icon().isNull()) << i;
}

TEST_F(TerminalWindowTest, ButtonsWithoutActionAndCommandsThatNeedCaptureDoNothing) {
    Create();
    TakeCalls();
    for (const int id : {32847, 32815, 32817, 32818, 32819, 32850, 32860, 32856, 32857}) {
        EXPECT_TRUE(Window().RunCommand(id));
    }
    EXPECT_TRUE(TakeCalls().empty());
    EXPECT_TRUE(boxes_.shown.empty());
    // The popup's caption item does not look at capture.
    Window().RunCommand(CommandId::kPopupCaptionSettings);
    EXPECT_EQ(TakeCalls(), std::vector<std::string>{"OpenCaptionDialog"});
}

TEST_F(TerminalWindowTest, SnapshotAndRecordNeedRemoteVideo) {
    Create();
    TakeCalls();
    for (const int id : {32844, 32846, 32861, 32862}) {
        boxes_.shown.clear();
        Window().RunCommand(id);
        EXPECT_EQ(boxes_.shown, std::vector<Box>({{"提示", "请建立连接！"}})) << id;
    }
    EXPECT_TRUE(TakeCalls().empty());

    Window().Media().remoteVideoOpen.store(1);
    Window().RunCommand(CommandId::kSnapshot);
    EXPECT_EQ(TakeCalls(),
              (std::vector<std::string>{"RequestSnapshot", "PlaySoundCue camera.wav"}));
    Window().RunCommand(CommandId::kSilentSnapshot);
    EXPECT_EQ(TakeCalls(), std::vector<std::string>{"RequestSilentSnapshot"});
}

TEST_F(TerminalWindowTest, RecordAsksAndChangesTheCaption) {
    Create();
    TakeCalls();
    Window().Media().remoteVideoOpen.store(1);
    boxes_.answer = false;
    Window().RunCommand(CommandId::kRecord);
    EXPECT_TRUE(TakeCalls().empty());
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("【澜川汇】视频电话终端"));

    boxes_.answer = true;
    Window().RunCommand(CommandId::kRecord);
    EXPECT_EQ(TakeCalls(), std::vector<std::string>{"StartRecording"});
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("   【澜川】视频电话终端--录像中"));

    Window().Media().recordingOn.store(1);
    Window().RunCommand(CommandId::kPopupRecord);
    EXPECT_EQ(TakeCalls(), std::vector<std::string>{"StopRecording"});
    EXPECT_EQ(Window().windowTitle(), QStringLiteral("     【澜川】视频电话终端"));
    EXPECT_EQ(boxes_.shown, std::vector<Box>({{"开始录像", "是否开始录像?"},
                                              {"开始录像", "是否开始录像?"},
                                              {"结束录像", "是否结束录像?"}}));
}

TEST_F(TerminalWindowTest, EnterAndEscapeAreSwallowed) {
    Create();
    Window().show();
    Window().SetInputEnabled(true);
    Window().SetInputText(QStringLiteral("abc"));
    auto* input = Window().findChild<QWidget*>(QStringLiteral("input1004"));
    ASSERT_NE(input, nullptr);
    input->setFocus();
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
        QTest::keyClick(input, key);
        QTest::keyClick(&Window(), key);
    }
    EXPECT_EQ(Window().InputText(), QStringLiteral("abc"));
    EXPECT_TRUE(Window().isVisible());
    EXPECT_TRUE(boxes_.shown.empty());
}

TEST_F(TerminalWindowTest, DoubleClickOpensTheFullPictureViewWhichTakesTheDecodedPictures) {
    Create();
    Window().show();
    QImage frame(64, 48, QImage::Format_RGB32);
    frame.fill(Qt::red);
    bool checkedInside = false;
    QTimer::singleShot(0, [&] {
        FullPictureView& view = Window().FullPicture();
        EXPECT_TRUE(view.isVisible());
        EXPECT_EQ(Window().Media().fullPictureFlag.load(), 1);
        Window().ShowRemoteFrame(frame);
        QCoreApplication::processEvents();
        EXPECT_FALSE(view.Picture().ShowsIdlePicture());
        EXPECT_TRUE(Window().RemotePictureArea().ShowsIdlePicture());
        // Enter is swallowed by the window, but closes the view.
        QTest::keyClick(&view, Qt::Key_Escape);
        checkedInside = true;
    });
    QTest::mouseDClick(&Window().RemotePictureArea(), Qt::LeftButton);
    ASSERT_TRUE(checkedInside);
    EXPECT_FALSE(Window().IsFullPictureViewShowing());
    EXPECT_EQ(Window().Media().fullPictureFlag.load(), 0);
    Window().ShowRemoteFrame(frame);
    QCoreApplication::processEvents();
    EXPECT_FALSE(Window().RemotePictureArea().ShowsIdlePicture());
    Window().ShowRemoteIdlePicture();
    EXPECT_TRUE(Window().RemotePictureArea().ShowsIdlePicture());
}

TEST_F(TerminalWindowTest, TheFullPictureViewClosesOnEnterAndOnDoubleClick) {
    Create();
    Window().show();
    const std::function<void(FullPictureView&)> closers[] = {
        [](FullPictureView& view) { QTest::keyClick(&view, Qt::Key_Return); },
        [](FullPictureView& view) { QTest::mouseDClick(&view.Picture(), Qt::LeftButton); },
    };
    for (const auto& close : closers) {
        QTimer::singleShot(0, [&] { close(Window().FullPicture()); });
        Window().RunFullPictureView();
        EXPECT_FALSE(Window().IsFullPictureViewShowing());
        EXPECT_EQ(Window().Media().fullPictureFlag.load(), 0);
    }
}

TEST_F(TerminalWindowTest, PopupCheckMarksFollowRecordingAndPictureInPicture) {
    Create();
    Window().Media().recordingOn.store(1);
    const std::unique_ptr<QMenu> popup = Window().FullPicture().CreatePopupMenu();
    EXPECT_TRUE(ActionWithId(popup->actions(), CommandId::kPopupRecord)->isChecked());
    EXPECT_FALSE(ActionWithId(popup->actions(), CommandId::kPictureInPicture)->isChecked());
    const QJsonObject states = Window().MenuStates();
    EXPECT_TRUE(states["32862"].toObject()["checked"].toBool());
    EXPECT_FALSE(states["32811"].toObject()["enabled"].toBool());
    EXPECT_EQ(states.size(), 17);
}

TEST_F(TerminalWindowTest, ExitAsksAndOnYesEndsTheCallThenTearsDownInOrder) {
    Create();
    Window().show();
    TakeCalls();
    QSignalSpy finished(&Window(), &QDialog::finished);

    boxes_.answer = false;
    Window().close();
    EXPECT_TRUE(TakeCalls().empty());
    EXPECT_TRUE(Window().isVisible());
    EXPECT_EQ(finished.count(), 0);

    boxes_.answer = true;
    Window().Call().connected = true;
    Window().Call().callerLinkOpen = true;
    Window().Media().recordingOn.store(1);
    Window().RunCommand(CommandId::kExit);
    EXPECT_EQ(TakeCalls(), (std::vector<std::string>{"StopService", "HangUp",
                                                     "SignalReceiveThreadsToStop", "StopRecording",
                                                     "CloseOpenStreams", "StopReceiveThreads"}));
    EXPECT_EQ(finished.count(), 1);
    EXPECT_FALSE(Window().isVisible());
    EXPECT_EQ(boxes_.shown, std::vector<Box>({{"系统退出", "是否退出当前系统?"},
                                              {"系统退出", "是否退出当前系统?"}}));
}

TEST_F(TerminalWindowTest, TrayHidesTheWindowAndItsMenuShowsOrEndsIt) {
    Create();
    Window().show();
    Window().RunCommand(CommandId::kGoToTray);
    EXPECT_FALSE(Window().isVisible());
    EXPECT_TRUE(Window().TrayIcon().isVisible());
    EXPECT_EQ(Window().TrayIcon().toolTip(), QStringLiteral("VX-MEETING（2012）"));
    QStringList texts;
    for (QAction* action : Window().TrayMenu().actions()) {
        if (!action->isSeparator()) texts.append(action->text());
    }
    EXPECT_EQ(texts, QStringList({"显示界面", "系统说明", "系统退出"}));

    ActionWithId(Window().TrayMenu().actions(), CommandId::kShowWindow)->trigger();
    EXPECT_TRUE(Window().isVisible());
    EXPECT_TRUE(Window().TrayIcon().isVisible());

    ActionWithId(Window().TrayMenu().actions(), CommandId::kSystemNote)->trigger();
    ASSERT_EQ(boxes_.shown.size(), 1u);
    EXPECT_EQ(boxes_.shown[0].caption, "提示");

    boxes_.answer = false;
    ActionWithId(Window().TrayMenu().actions(), CommandId::kTrayExit)->trigger();
    EXPECT_TRUE(Window().TrayIcon().isVisible());
    boxes_.answer = true;
    ActionWithId(Window().TrayMenu().actions(), CommandId::kTrayExit)->trigger();
    EXPECT_FALSE(Window().TrayIcon().isVisible());
    EXPECT_FALSE(Window().isVisible());
}

TEST_F(TerminalWindowTest, TypingEnablesTheClearButtonWhichEmptiesTheInput) {
    Create();
    Window().SetInputEnabled(true);
    Window().SetInputText(QStringLiteral("你好"));
    EXPECT_TRUE(Window().ClearInputButton().isEnabled());
    EXPECT_TRUE(Window().CalledSideSendButton().isEnabled());
    Window().RunCommand(CommandId::kClearInput);
    EXPECT_EQ(Window().InputText(), QString());
    EXPECT_FALSE(Window().ClearInputButton().isEnabled());
    EXPECT_FALSE(Window().CalledSideSendButton().isEnabled());
}

TEST_F(TerminalWindowTest, TranscriptShowsMarkupAsTextAndIsClearedByItsCommands) {
    Create();
    for (const int id : {CommandId::kClearTranscript, CommandId::kClearTranscriptHidden}) {
        Window().SetTranscriptText(QStringLiteral("对端:<b>hi</b>"));
        EXPECT_EQ(Window().TranscriptText(), QStringLiteral("对端:<b>hi</b>"));
        Window().RunCommand(id);
        EXPECT_EQ(Window().TranscriptText(), QString());
    }
}

}  // namespace
