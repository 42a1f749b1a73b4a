#include <gtest/gtest.h>

#include <QJsonArray>
#include <QTemporaryDir>

#include "app/StatusReport.h"
#include "call/CallState.h"
#include "call/MediaCounters.h"
#include "call/MediaState.h"
#include "settings/SettingsStore.h"
#include "settings/TerminalSettings.h"

namespace {

QStringList Keys(const QJsonObject& object) {
    QStringList keys = object.keys();
    keys.sort();
    return keys;
}

TEST(StatusReportTest, MediaHasEveryFlagAsANumber) {
    MediaState media;
    media.desktopOnly.store(1);
    media.recordingOn.store(1);
    const QJsonObject json = StatusReport::Media(media);
    QStringList expected = {"captureOff",
                            "videoSendOff",
                            "videoSendOpen",
                            "sendGate",
                            "videoReceiveOff",
                            "videoReceiveStop",
                            "remoteVideoOpen",
                            "fullPictureFlag",
                            "audioSendOff",
                            "audioSendOpen",
                            "audioReceiveOff",
                            "audioReceiveOpen",
                            "audioReceiveStop",
                            "desktopPlusVideo",
                            "desktopOnly",
                            "oneKeyOn",
                            "pipOn",
                            "recordingOn"};
    expected.sort();
    EXPECT_EQ(Keys(json), expected);
    EXPECT_EQ(json["captureOff"].toInt(), 1);
    EXPECT_EQ(json["desktopOnly"].toInt(), 1);
    EXPECT_EQ(json["recordingOn"].toInt(), 1);
    EXPECT_EQ(json["sendGate"].toInt(), 0);
}

TEST(StatusReportTest, CallTakesOneKeyFromTheMediaFlags) {
    CallState call;
    call.connected = true;
    call.acceptedCallCount = 3;
    MediaState media;
    media.oneKeyOn.store(1);
    const QJsonObject json = StatusReport::Call(call, media);
    EXPECT_EQ(Keys(json),
              QStringList({"acceptedCallCount", "callerLinkOpen", "connected", "oneKeyOn"}));
    EXPECT_TRUE(json["connected"].toBool());
    EXPECT_FALSE(json["callerLinkOpen"].toBool());
    EXPECT_TRUE(json["oneKeyOn"].toBool());
    EXPECT_EQ(json["acceptedCallCount"].toInt(), 3);
}

TEST(StatusReportTest, CountersAreIntegers) {
    MediaCounters counters;
    counters.framesShown.store(5000000000ULL);
    const QJsonObject json = StatusReport::Counters(counters);
    EXPECT_EQ(json.size(), 10);
    EXPECT_EQ(json["framesShown"].toInteger(), 5000000000LL);
    EXPECT_EQ(json["snapshotsWritten"].toInteger(), 0);
}

TEST(StatusReportTest, SettingsWithoutAnIniFileShowTheDefaults) {
    QTemporaryDir folder;
    TerminalSettings settings;
    SettingsStore store(settings, folder.filePath("system.ini"), folder.path());
    store.LoadAll(1280, 800);
    settings.SetLocalAddress(QStringLiteral("10.77.0.1"));
    const QJsonObject json = StatusReport::Settings(settings);
    EXPECT_EQ(json.size(), 17);
    EXPECT_EQ(json["partnerAddress"].toString(), QStringLiteral("192.168.0.1"));
    EXPECT_EQ(json["servicePort"].toInt(), 5928);
    EXPECT_EQ(json["localAddress"].toString(), QStringLiteral("10.77.0.1"));
    EXPECT_EQ(json["videoWidth"].toInt(), 352);
    EXPECT_EQ(json["videoHeight"].toInt(), 288);
    EXPECT_EQ(json["screenWidth"].toInt(), 1280);
    EXPECT_EQ(json["captionColour"].toInteger(), 16777215);
    EXPECT_EQ(json["captionPositionCode"].toInt(), 40);
    EXPECT_EQ(json["pipHeight"].toInt(), 130);
    EXPECT_EQ(json["sampleRate"].toInt(), 8000);
}

TEST(StatusReportTest, MessagesKeepTheirOrderAndAnswers) {
    MessageLog log;
    log.Add(QStringLiteral("提示"), QStringLiteral("请建立连接！"), QStringLiteral("ok"));
    const std::size_t open =
        log.Add(QStringLiteral("系统退出"), QStringLiteral("是否退出当前系统?"));
    QJsonArray json = StatusReport::Messages(log.Entries());
    ASSERT_EQ(json.size(), 2);
    EXPECT_EQ(json[1].toObject()["answer"].toString(), QString());
    log.SetAnswer(open, QStringLiteral("no"));
    json = StatusReport::Messages(log.Entries());
    EXPECT_EQ(json[0].toObject()["caption"].toString(), QStringLiteral("提示"));
    EXPECT_EQ(json[0].toObject()["text"].toString(), QStringLiteral("请建立连接！"));
    EXPECT_EQ(json[1].toObject()["answer"].toString(), QStringLiteral("no"));
}

}  // namespace
