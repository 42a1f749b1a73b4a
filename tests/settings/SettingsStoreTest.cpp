#include "settings/SettingsStore.h"

#include "settings/TerminalSettings.h"

#include "TempIni.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include "QtPrinters.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

class SettingsStoreTest : public ::testing::Test {
protected:
    SettingsStoreTest() { QDir().mkdir(ProgramFolder()); }

    QString ProgramFolder() const { return ini.Folder() + QStringLiteral("/bin"); }

    // A fresh in-memory copy loaded from a file with these lines.
    void LoadFrom(const QByteArray& lines) {
        ini.WriteBytes(lines);
        store.LoadAll(1280, 800);
    }

    TempIni ini;
    TerminalSettings settings;
    SettingsStore store{settings, ini.Path(), ProgramFolder()};
};

TEST_F(SettingsStoreTest, MissingFileGivesEveryDefaultAndCreatesTheFolders) {
    store.LoadAll(1280, 800);

    EXPECT_EQ(settings.partnerAddress(), "192.168.0.1");
    EXPECT_EQ(settings.servicePort(), "5928");
    EXPECT_EQ(settings.contactName(), "5928");
    EXPECT_EQ(settings.videoWidth, 352);
    EXPECT_EQ(settings.videoHeight, 288);
    EXPECT_EQ(settings.screenWidth, 1280);
    EXPECT_EQ(settings.screenHeight, 800);
    EXPECT_EQ(settings.captionColour, 16777215u);
    EXPECT_EQ(settings.captionPositionCode, 40);
    EXPECT_EQ(settings.captionText(), "skyweld");
    EXPECT_EQ(settings.captionFontName(), QStringLiteral("宋体"));
    EXPECT_EQ(settings.fontsize, 24);
    EXPECT_EQ(settings.pipX, 0);
    EXPECT_EQ(settings.pipY, 0);
    EXPECT_EQ(settings.pipWidth, 160);
    EXPECT_EQ(settings.pipHeight, 130);
    EXPECT_EQ(settings.deviceIndex, 0);
    EXPECT_EQ(settings.sampleRate, 8000);
    EXPECT_EQ(settings.maudio, 1);
    EXPECT_EQ(settings.rspeedMs, 50);
    EXPECT_EQ(settings.framenum, 15);
    EXPECT_TRUE(settings.IsOn(Setting::PermitAdd));
    EXPECT_TRUE(settings.IsOn(Setting::BackgroundTrans));
    EXPECT_FALSE(settings.IsOn(Setting::IsAddDateTime));
    for (Setting flag : {Setting::PtpService, Setting::PtpDirectEnter, Setting::PtpAcceptCall,
                         Setting::CallOneKey, Setting::MeetingPicture, Setting::VideoInVideo,
                         Setting::IsAudioRecord, Setting::IsMixAudioRecord})
        EXPECT_FALSE(settings.IsOn(flag));

    EXPECT_EQ(settings.photoFolder(), ProgramFolder() + "/vantorphoto");
    EXPECT_EQ(settings.recordFolder(), ProgramFolder() + "/vantorrecord");
    EXPECT_TRUE(QFileInfo(ProgramFolder() + "/vantorphoto").isDir());
    EXPECT_TRUE(QFileInfo(ProgramFolder() + "/vantorrecord").isDir());
    // Reading never creates the file.
    EXPECT_FALSE(ini.Exists());
}

TEST_F(SettingsStoreTest, LoadsAWindowsGbkFile) {
    LoadFrom(
        "[IPANDPORTSETUP]\r\nIp=10.0.0.7\r\nRPort=6001\r\nContact=\xD5\xC5\xC8\xFD\r\n"
        "[LocalVideo]\r\nLocalVideoSize=720P\r\n"
        "[AudioParam]\r\nAudioCapFre=22050\r\n"
        "[VideoCapture]\r\nDeviceId=2\r\n"
        "[PtpSetup]\r\nPtpService=Y\r\nCallOneKey=y\r\n"
        "[Save]\r\nCameraPath=D:\\\xD5\xD5\xC6\xAC\r\n"
        "[Text3D]\r\nFont=\xBA\xDA\xCC\xE5\r\nTopBottom=\xB6\xA5\xB6\xCB\r\n"
        "TextPosition=\xD3\xD2\xB2\xE0\r\nred=1\r\ngreen=2\r\nblue=3\r\n"
        "[VideoInVideo]\r\nVideoX=10\r\nVideoY=20\r\nVideoW=320\r\n");

    EXPECT_EQ(settings.partnerAddress(), "10.0.0.7");
    EXPECT_EQ(settings.servicePort(), "6001");
    EXPECT_EQ(settings.contactName(), QStringLiteral("张三"));
    EXPECT_EQ(settings.videoWidth, 1280);
    EXPECT_EQ(settings.videoHeight, 720);
    EXPECT_EQ(settings.sampleRate, 22050);
    EXPECT_EQ(settings.deviceIndex, 2);
    EXPECT_TRUE(settings.IsOn(Setting::PtpService));
    EXPECT_FALSE(settings.IsOn(Setting::CallOneKey));
    EXPECT_EQ(settings.photoFolder(), QStringLiteral("D:\\照片"));
    EXPECT_EQ(settings.captionFontName(), QStringLiteral("黑体"));
    EXPECT_EQ(settings.captionPositionCode, 34);
    EXPECT_EQ(settings.captionColour, 0x030201u);
    EXPECT_EQ(settings.pipX, 10);
    EXPECT_EQ(settings.pipY, 20);
    EXPECT_EQ(settings.pipWidth, 320);
    EXPECT_EQ(settings.pipHeight, 180);
    // The default folders are made even when the file names others.
    EXPECT_TRUE(QFileInfo(ProgramFolder() + "/vantorphoto").isDir());
}

TEST_F(SettingsStoreTest, FrameSizeFollowsTheExactNameOrStaysCif) {
    const struct {
        const char* name;
        int width;
        int height;
        int insetHeight;
    } cases[] = {
        {"QCIF", 176, 144, 130}, {"VCD", 320, 240, 120},  {"CIF", 352, 288, 130},
        {"DVD", 640, 480, 120},  {"720P", 1280, 720, 90}, {"1080P", 1920, 1080, 90},
        {"VGA", 352, 288, 130},  {"cif", 352, 288, 130},  {"", 352, 288, 130},
    };
    for (const auto& c : cases) {
        TerminalSettings fresh;
        SettingsStore freshStore(fresh, ini.Path(), ProgramFolder());
        ini.WriteBytes(QByteArray("[localvideo]\r\nlocalvideosize=") + c.name + "\r\n");
        freshStore.LoadAll(1024, 768);
        EXPECT_EQ(fresh.videoWidth, c.width) << c.name;
        EXPECT_EQ(fresh.videoHeight, c.height) << c.name;
        EXPECT_EQ(fresh.pipHeight, c.insetHeight) << c.name;
    }
}

TEST_F(SettingsStoreTest, FlagsAreOnOnlyForTheirExactWord) {
    const struct {
        Setting flag;
        const char* text;
        bool on;
    } cases[] = {
        {Setting::CallOneKey, "Y", true},
        {Setting::CallOneKey, "y", false},
        {Setting::CallOneKey, "YES", false},
        {Setting::CallOneKey, "", false},
        {Setting::PtpAcceptCall, "Y", true},
        {Setting::BackgroundTrans, "YES", true},
        {Setting::BackgroundTrans, "N", false},
        {Setting::BackgroundTrans, "NO", false},
        {Setting::BackgroundTrans, "yes", false},
        {Setting::PermitAdd, "NO", false},
        {Setting::IsAddDateTime, "YES", true},
        {Setting::IsAddDateTime, "Y", false},
        // Not a flag at all.
        {Setting::Ip, "Y", false},
    };
    for (const auto& c : cases) {
        store.Store(c.flag, c.text);
        EXPECT_EQ(settings.IsOn(c.flag), c.on) << static_cast<int>(c.flag) << " " << c.text;
    }
}

TEST(SettingsStoreToIntTest, StopsAtTheFirstNonDigit) {
    const struct {
        const char* text;
        int value;
    } cases[] = {
        {"123", 123},
        {"12abc", 12},
        {"abc", 0},
        {"", 0},
        {" 42", 42},
        {"-7", -7},
        {"+5", 5},
        {"99999999999", std::numeric_limits<int>::max()},
        {"-99999999999", std::numeric_limits<int>::min()},
        {"３", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SettingsStore::ToInt(QString::fromUtf8(c.text)), c.value) << c.text;
}

TEST_F(SettingsStoreTest, NonNumericValuesReadAsZero) {
    LoadFrom(
        "[text3d]\r\nfontsize=\r\nRED=abc\r\nGREEN=511\r\nBLUE=-1\r\n"
        "[videorecord]\r\nrspeed=fast\r\n[videoinvideo]\r\nvideow=x\r\n");
    EXPECT_EQ(settings.fontsize, 0);
    EXPECT_EQ(settings.rspeedMs, 0);
    // Each component keeps only its low eight bits.
    EXPECT_EQ(settings.captionColour, 0xFFFF00u);
    EXPECT_EQ(settings.pipWidth, 0);
    EXPECT_EQ(settings.pipHeight, 0);
}

TEST_F(SettingsStoreTest, CaptionPositionCodeOnlyChangesForAKnownPair) {
    const struct {
        const char* vertical;
        const char* horizontal;
        int code;
    } cases[] = {
        {"顶端", "左侧", 32}, {"顶端", "居中", 33}, {"顶端", "右侧", 34}, {"底端", "左侧", 40},
        {"底端", "居中", 41}, {"底端", "右侧", 42}, {"中间", "右侧", 42}, {"底端", "left", 42},
    };
    for (const auto& c : cases) {
        store.Store(Setting::TopBottom, QString::fromUtf8(c.vertical));
        store.Store(Setting::TextPosition, QString::fromUtf8(c.horizontal));
        EXPECT_EQ(settings.captionPositionCode, c.code) << c.vertical << c.horizontal;
    }
}

TEST_F(SettingsStoreTest, StoreChangesAtOnceOnlyWhatIsNotFixedAtStart) {
    store.LoadAll(1024, 768);
    store.Store(Setting::VideoW, "200");
    EXPECT_EQ(settings.pipWidth, 200);
    EXPECT_EQ(settings.pipHeight, 163);
    store.Store(Setting::DeviceId, "2");
    EXPECT_EQ(settings.deviceIndex, 2);
    store.Store(Setting::LocalVideoSize, "QCIF");
    store.Store(Setting::AudioCapFre, "22050");
    EXPECT_EQ(settings.videoWidth, 352);
    EXPECT_EQ(settings.sampleRate, 8000);
    EXPECT_EQ(settings.Text(Setting::LocalVideoSize), "QCIF");
}

TEST_F(SettingsStoreTest, WritesGoToTheFileAtOnceAndReloadTakesAHandEdit) {
    EXPECT_TRUE(store.WriteAndStore(Setting::Ip, "10.9.8.7"));
    EXPECT_EQ(settings.partnerAddress(), "10.9.8.7");
    EXPECT_EQ(ini.ReadBytes(), "[ipandportsetup]\r\nip=10.9.8.7\r\n");

    EXPECT_TRUE(store.Write(Setting::PtpAcceptCall, "Y"));
    EXPECT_FALSE(settings.IsOn(Setting::PtpAcceptCall));
    EXPECT_EQ(store.Reload(Setting::PtpAcceptCall), "Y");
    EXPECT_TRUE(settings.IsOn(Setting::PtpAcceptCall));

    // The pages' default for deviceid, unlike the load's "DSHOW".
    EXPECT_EQ(store.Read(Setting::DeviceId), "0");
}

TEST_F(SettingsStoreTest, FailedWriteStillChangesTheValueInMemory) {
    SettingsStore unwritable(settings, ini.Folder() + "/missing/system.ini", ProgramFolder());
    EXPECT_FALSE(unwritable.WriteAndStore(Setting::Contact, QStringLiteral("李四")));
    EXPECT_EQ(settings.contactName(), QStringLiteral("李四"));
}

TEST_F(SettingsStoreTest, LoadCutsLongValuesTo259Bytes) {
    LoadFrom("[text3d]\r\ntext=" + QByteArray(300, 'x') + "\r\n");
    EXPECT_EQ(settings.captionText(), QString(259, u'x'));
}

TEST_F(SettingsStoreTest, DefaultFoldersAreMadeOneLevelDeepOnly) {
    const QString deep = ini.Folder() + QStringLiteral("/no/such/bin");
    TerminalSettings other;
    SettingsStore deepStore(other, ini.Path(), deep);
    deepStore.LoadAll(1024, 768);
    EXPECT_FALSE(QFileInfo(deep + "/vantorphoto").exists());
    EXPECT_EQ(other.photoFolder(), deep + "/vantorphoto");

    // Existing folders are left as they are.
    store.LoadAll(1024, 768);
    store.LoadAll(1024, 768);
    EXPECT_TRUE(QFileInfo(ProgramFolder() + "/vantorrecord").isDir());
}

TEST(SettingsStoreProgramFolderTest, DefaultsToTheFolderOfTheRunningExecutable) {
    TerminalSettings settings;
    const SettingsStore store(settings, QStringLiteral("unused.ini"));
    EXPECT_EQ(store.DefaultPhotoFolder(),
              QCoreApplication::applicationDirPath() + QStringLiteral("/vantorphoto"));
}

}  // namespace
