#include "settings/SettingsStore.h"

#include "TempIni.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

// As the Windows terminal leaves it: GBK, CRLF, names in mixed case, a
// comment, a duplicate key and quotes around a value.
const QByteArray kWindowsFile =
    "; system.ini\r\n"
    "[IPandPortSetup]\r\n"
    ";ip=9.9.9.9\r\n"
    "IP=10.1.2.3\r\n"
    "Rport = 6000 \r\n"
    "contact=\xD5\xC5\xC8\xFD\r\n"
    "ip=1.1.1.1\r\n"
    "\r\n"
    "[TEXT3D]\r\n"
    "Text=\"\xCA\xD3\xC6\xB5\xBB\xE1\xD2\xE9\"\r\n"
    "FONT=\xBA\xDA\xCC\xE5\r\n"
    "TopBottom=\xB6\xA5\xB6\xCB\r\n"
    "textposition=\xD3\xD2\xB2\xE0\r\n"
    "empty=\r\n"
    "mark=\x81]x\r\n"
    "\r\n"
    "[other]\r\n"
    "ip=7.7.7.7\r\n";

class ProfileFileTest : public ::testing::Test {
protected:
    QString Read(const char* section, const char* key) const {
        return SettingsStore::ReadString(ini.Path(), section, key, QStringLiteral("<default>"));
    }

    TempIni ini;
};

TEST_F(ProfileFileTest, ReadsWindowsGbkFileWithCaseInsensitiveNames) {
    ini.WriteBytes(kWindowsFile);
    const struct {
        const char* section;
        const char* key;
        const char* expected;
    } cases[] = {
        {"ipandportsetup", "ip", "10.1.2.3"},
        {"IPANDPORTSETUP", "RPORT", "6000"},
        {"ipandportsetup", "contact", "张三"},
        {"text3d", "text", "视频会议"},
        {"text3d", "font", "黑体"},
        {"Text3D", "topbottom", "顶端"},
        {"text3d", "textposition", "右侧"},
        {"text3d", "empty", ""},
        {"text3d", "mark", "乚x"},
        {"text3d", "missing", "<default>"},
        {"nosuch", "ip", "<default>"},
        {"other", "IP", "7.7.7.7"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Read(c.section, c.key), QString::fromUtf8(c.expected))
            << c.section << "/" << c.key;
}

TEST_F(ProfileFileTest, WriteChangesOnlyItsKeyAndKeepsEveryOtherByte) {
    const struct {
        const char* section;
        const char* key;
        const char* value;
        QByteArray before;  // empty: the new lines go at the end
        QByteArray after;
    } cases[] = {
        {"ipandportsetup", "ip", "192.168.1.9", "IP=10.1.2.3\r\n", "IP=192.168.1.9\r\n"},
        {"TEXT3D", "Font", "宋体", "FONT=\xBA\xDA\xCC\xE5\r\n", "FONT=\xCB\xCE\xCC\xE5\r\n"},
        {"ipandportsetup", "rport", "5928", "Rport = 6000 \r\n", "Rport =5928\r\n"},
        {"text3d", "fontsize", "24", "mark=\x81]x\r\n", "mark=\x81]x\r\nfontsize=24\r\n"},
        {"videoinvideo", "videow", "320", "", "[videoinvideo]\r\nvideow=320\r\n"},
    };
    for (const auto& c : cases) {
        ini.WriteBytes(kWindowsFile);
        EXPECT_TRUE(SettingsStore::WriteString(ini.Path(), c.section, c.key, c.value));
        QByteArray expected = kWindowsFile;
        if (c.before.isEmpty())
            expected += c.after;
        else
            expected.replace(c.before, c.after);
        EXPECT_EQ(ini.ReadBytes(), expected) << c.section << "/" << c.key;
        EXPECT_EQ(Read(c.section, c.key), QString::fromUtf8(c.value));
    }
}

TEST_F(ProfileFileTest, FirstWriteCreatesFileSectionsAndKeys) {
    ASSERT_FALSE(ini.Exists());
    EXPECT_TRUE(SettingsStore::WriteString(ini.Path(), "videoinvideo", "videox", "5"));
    EXPECT_TRUE(SettingsStore::WriteString(ini.Path(), "save", "recordpath", "/x"));
    EXPECT_TRUE(SettingsStore::WriteString(ini.Path(), "VideoInVideo", "videoy", "6"));
    EXPECT_EQ(ini.ReadBytes(),
              "[videoinvideo]\r\nvideox=5\r\nvideoy=6\r\n[save]\r\nrecordpath=/x\r\n");
}

TEST_F(ProfileFileTest, KeepsUnixLineBreaksAndAMissingFinalBreak) {
    ini.WriteBytes("[a]\nk=1\n[b]\nj=2");
    EXPECT_TRUE(SettingsStore::WriteString(ini.Path(), "a", "k2", "3"));
    EXPECT_EQ(ini.ReadBytes(), "[a]\nk=1\nk2=3\n[b]\nj=2");
    EXPECT_TRUE(SettingsStore::WriteString(ini.Path(), "b", "j", "4"));
    EXPECT_EQ(ini.ReadBytes(), "[a]\nk=1\nk2=3\n[b]\nj=4");
    EXPECT_TRUE(SettingsStore::WriteString(ini.Path(), "b", "new", "5"));
    EXPECT_EQ(ini.ReadBytes(), "[a]\nk=1\nk2=3\n[b]\nj=4\nnew=5\n");
}

TEST_F(ProfileFileTest, LineBreakInAValueCannotAddKeys) {
    EXPECT_TRUE(SettingsStore::WriteString(ini.Path(), "text3d", "text",
                                           "a\r\n[ptpsetup]\r\nptpservice=Y"));
    EXPECT_EQ(Read("ptpsetup", "ptpservice"), "<default>");
    EXPECT_EQ(Read("text3d", "text"), "a  [ptpsetup]  ptpservice=Y");
}

TEST_F(ProfileFileTest, WriteToAnUnwritablePlaceReportsFailure) {
    const QString path = ini.Folder() + QStringLiteral("/missing/system.ini");
    EXPECT_FALSE(SettingsStore::WriteString(path, "ipandportsetup", "ip", "10.0.0.1"));
    EXPECT_EQ(SettingsStore::ReadString(path, "ipandportsetup", "ip", "d"), "d");
}

TEST_F(ProfileFileTest, LongValueIsCutTo259BytesAtACharacterBoundary) {
    const struct {
        QString value;
        QString expected;
    } cases[] = {
        {QString(300, u'a'), QString(259, u'a')},
        {QString(259, u'a'), QString(259, u'a')},
        {QString(200, u'中'), QString(129, u'中')},
        {QString(258, u'a') + u'中', QString(258, u'a')},
    };
    for (const auto& c : cases) {
        SettingsStore::WriteString(ini.Path(), "text3d", "text", c.value);
        EXPECT_EQ(Read("text3d", "text"), c.expected) << c.value.size();
    }
}

}  // namespace
