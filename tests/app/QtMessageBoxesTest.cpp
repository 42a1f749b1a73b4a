#include <gtest/gtest.h>

#include <QCoreApplication>
#include <thread>

#include "app/MessageLog.h"
#include "app/QtMessageBoxes.h"

namespace {

TEST(QtMessageBoxesTest, ScriptedAnswersAreGivenAndRecorded) {
    MessageLog log;
    QtMessageBoxes boxes(log);
    boxes.SetScriptedAnswer(true);
    EXPECT_TRUE(boxes.Ask("是否退出当前系统?", "系统退出"));
    boxes.SetScriptedAnswer(false);
    EXPECT_FALSE(boxes.Ask("是否开始录像?", "开始录像"));
    boxes.Inform("请建立连接！");
    const std::vector<MessageLog::Entry> entries = log.Entries();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].answer, QStringLiteral("yes"));
    EXPECT_EQ(entries[1].answer, QStringLiteral("no"));
    EXPECT_EQ(entries[2].caption, QStringLiteral("提示"));
    EXPECT_EQ(entries[2].text, QStringLiteral("请建立连接！"));
    EXPECT_EQ(entries[2].answer, QStringLiteral("ok"));
}

TEST(QtMessageBoxesTest, AWorkersBoxIsPostedWithoutWaiting) {
    MessageLog log;
    QtMessageBoxes boxes(log);
    boxes.SetScriptedAnswer(true);
    std::thread worker([&boxes] { boxes.Inform("摄像设备或格式错误！"); });
    worker.join();
    EXPECT_TRUE(log.Entries().empty());
    QCoreApplication::processEvents();
    ASSERT_EQ(log.Entries().size(), 1u);
    EXPECT_EQ(log.Entries()[0].text, QStringLiteral("摄像设备或格式错误！"));
}

}  // namespace
