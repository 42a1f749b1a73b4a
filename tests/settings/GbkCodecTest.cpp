#include "settings/GbkCodec.h"

#include "QtPrinters.h"

#include <gtest/gtest.h>

namespace {

struct RoundTrip {
    const char* utf8;
    QByteArray gbk;
};

TEST(GbkCodecTest, EncodesAndDecodesTextGbkCanHold) {
    const RoundTrip cases[] = {
        {"", ""},
        {"abc 123", "abc 123"},
        {"底端", "\xB5\xD7\xB6\xCB"},
        {"左侧", "\xD7\xF3\xB2\xE0"},
        {"宋体", "\xCB\xCE\xCC\xE5"},
        {"欢迎登录和交流!", "\xBB\xB6\xD3\xAD\xB5\xC7\xC2\xBC\xBA\xCD\xBD\xBB\xC1\xF7!"},
        // The trail byte is ']', which must not confuse anything above.
        {"乚", "\x81]"},
        {"€", "\x80"},
    };
    for (const RoundTrip& c : cases) {
        const QString text = QString::fromUtf8(c.utf8);
        EXPECT_EQ(GbkCodec::Encode(text), c.gbk) << c.utf8;
        EXPECT_EQ(GbkCodec::Decode(c.gbk), text) << c.utf8;
    }
}

TEST(GbkCodecTest, CharacterOutsideGbkBecomesOneQuestionMarkInPlace) {
    const RoundTrip cases[] = {
        {"a😀b", "a?b"},
        {"中ก文", "\xD6\xD0?\xCE\xC4"},
        {"😀😀", "??"},
    };
    for (const RoundTrip& c : cases) EXPECT_EQ(GbkCodec::Encode(QString::fromUtf8(c.utf8)), c.gbk);
}

TEST(GbkCodecTest, InvalidBytesDecodeAsReplacementCharacter) {
    const RoundTrip cases[] = {
        {"\uFFFD", "\x81"},
        {"\uFFFD ", "\x81 "},
        {"\uFFFD", "\xFF"},
        {"a\uFFFD", "a\xB5"},
        {"底\uFFFD端", "\xB5\xD7\xFF\xB6\xCB"},
    };
    for (const RoundTrip& c : cases)
        EXPECT_EQ(GbkCodec::Decode(c.gbk), QString::fromUtf8(c.utf8)) << c.gbk.toHex().data();
}

TEST(GbkCodecTest, CutToBytesNeverSplitsACharacter) {
    struct Cut {
        QByteArray gbk;
        qsizetype maxBytes;
        QByteArray expected;
    };
    const Cut cases[] = {
        {"\xB5\xD7\xB6\xCB", 4, "\xB5\xD7\xB6\xCB"},
        {"\xB5\xD7\xB6\xCB", 3, "\xB5\xD7"},
        {"ab\xB5\xD7", 3, "ab"},
        {"abc", 0, ""},
        {"abc", 10, "abc"},
        // A lead byte left at the end is kept as it came.
        {"a\x81", 5, "a\x81"},
    };
    for (const Cut& c : cases)
        EXPECT_EQ(GbkCodec::CutToBytes(c.gbk, c.maxBytes), c.expected) << c.gbk.toHex().data();
}

TEST(GbkCodecTest, ChatLineOfChineseCutTo99BytesKeeps49Characters) {
    const QByteArray gbk = GbkCodec::Encode(QString(50, QChar(u'中')));
    ASSERT_EQ(gbk.size(), 100);
    const QByteArray cut = GbkCodec::CutToBytes(gbk, 99);
    EXPECT_EQ(cut.size(), 98);
    EXPECT_EQ(GbkCodec::Decode(cut), QString(49, QChar(u'中')));
}

}  // namespace
