#include "call/ControlMessages.h"

#include <gtest/gtest.h>

namespace {

QByteArray Bytes(std::initializer_list<unsigned char> bytes) {
    QByteArray out;
    for (unsigned char b : bytes) {
        out.append(static_cast<char>(b));
    }
    return out;
}

QByteArray Zeros(qsizetype count) { return QByteArray(count, '\0'); }

TEST(ControlMessagesTest, FixedMessagesAreTheirExactBytes) {
    // "欢迎登录和交流!" and "呼叫成功!" in GBK.
    const QByteArray welcomeText = Bytes(
        {0xBB, 0xB6, 0xD3, 0xAD, 0xB5, 0xC7, 0xC2, 0xBC, 0xBA, 0xCD, 0xBD, 0xBB, 0xC1, 0xF7, '!'});
    const QByteArray quickText = Bytes({0xBA, 0xF4, 0xBD, 0xD0, 0xB3, 0xC9, 0xB9, 0xA6, '!'});
    const struct {
        const char* name;
        QByteArray built;
        QByteArray expected;
    } cases[] = {
        {"welcome", ControlMessages::Welcome(), welcomeText + Zeros(3)},
        {"quick welcome", ControlMessages::QuickWelcome(), quickText + Zeros(9)},
        {"refusal", ControlMessages::Reject(), QByteArray("REJECT")},
        {"caller leaves", ControlMessages::SystemQuit(), QByteArray("SYSTEMQUIT") + Zeros(1)},
        {"service stops", ControlMessages::ServerQuit(), QByteArray("SERVERQUIT") + Zeros(1)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(c.built, c.expected);
    }
    EXPECT_EQ(ControlMessages::Welcome().size(), 18);
    EXPECT_EQ(ControlMessages::QuickWelcome().size(), 18);
}

TEST(ControlMessagesTest, ChatBlockIsTextZeroAndFillerOfOneHundredBytes) {
    const struct {
        const char* name;
        QString input;
        QByteArray text;
    } cases[] = {
        {"empty", QString(), QByteArray()},
        {"ascii", QStringLiteral("hello"), QByteArray("hello")},
        {"chinese", QStringLiteral("你好"), Bytes({0xC4, 0xE3, 0xBA, 0xC3})},
        {"exactly 99 bytes", QString(99, u'a'), QByteArray(99, 'a')},
        {"100 bytes cut to 99", QString(100, u'a'), QByteArray(99, 'a')},
        // 50 two-byte characters: the 50th would end at byte 100, so 49 stay.
        {"two-byte character not split", QString(50, QChar(0x4F60)),
         QByteArray().fill(0, 0).append([] {
             QByteArray b;
             for (int i = 0; i < 49; ++i) b.append(Bytes({0xC4, 0xE3}));
             return b;
         }())},
        {"one byte then two-byte characters fill 99", u'a' + QString(60, QChar(0x4F60)),
         QByteArray("a").append([] {
             QByteArray b;
             for (int i = 0; i < 49; ++i) b.append(Bytes({0xC4, 0xE3}));
             return b;
         }())},
        {"character outside GBK becomes ?", QStringLiteral("a\U0001F600b"), QByteArray("a?b")},
        {"zero character cannot end the text early", QString::fromUtf16(u"a\0b", 3),
         QByteArray("a?b")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QByteArray block = ControlMessages::ChatBlock(c.input);
        ASSERT_EQ(block.size(), ControlMessages::kChatBlockBytes);
        EXPECT_EQ(block.left(c.text.size()), c.text);
        EXPECT_EQ(block.mid(c.text.size()), Zeros(100 - c.text.size()));
        EXPECT_EQ(ControlMessages::SentChatText(c.input), ControlMessages::DecodeText(c.text));
    }
}

TEST(ControlMessagesTest, ReceivedTextIsPlainUnicode) {
    const struct {
        const char* name;
        QByteArray gbk;
        QString text;
    } cases[] = {
        {"gbk", Bytes({0xC4, 0xE3, 0xBA, 0xC3}), QStringLiteral("你好")},
        {"markup stays literal", QByteArray("<b>x</b>&amp;"), QStringLiteral("<b>x</b>&amp;")},
        {"line breaks and tab kept", QByteArray("a\r\nb\tc"), QStringLiteral("a\r\nb\tc")},
        {"control characters replaced", QByteArray("a\x01\x1b[2Jb\x7f"),
         QStringLiteral("a\uFFFD\uFFFD[2Jb\uFFFD")},
        {"invalid gbk replaced", Bytes({'a', 0xFF, 'b'}), QStringLiteral("a\uFFFDb")},
        {"lead byte cut off at the end", Bytes({'a', 0xC4}), QStringLiteral("a\uFFFD")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(ControlMessages::DecodeText(c.gbk), c.text);
    }
}

}  // namespace
