#include "call/ControlMessageReader.h"

#include <gtest/gtest.h>

#include <vector>

#include "call/ControlMessages.h"

namespace {

using From = ControlMessageReader::From;

// Feeds the chunks one after another, collecting every whole message; then
// takes the rest, as the owner does when no more bytes come.
struct ReadResult {
    std::vector<QByteArray> messages;
    std::optional<QByteArray> rest;
};

ReadResult ReadAll(From from, const std::vector<QByteArray>& chunks) {
    ControlMessageReader reader(from);
    ReadResult result;
    for (QByteArray chunk : chunks) {
        while (!chunk.isEmpty()) {
            const QByteArray part = chunk.left(reader.Room());
            chunk.remove(0, part.size());
            reader.Append(part);
            while (const auto message = reader.Next()) {
                result.messages.push_back(*message);
            }
        }
    }
    result.rest = reader.TakeRest();
    return result;
}

QByteArray Chat(const char* text) { return ControlMessages::ChatBlock(QString::fromUtf8(text)); }

TEST(ControlMessageReaderTest, CutsTheStreamIntoMessages) {
    const QByteArray welcome = ControlMessages::Welcome();
    const QByteArray quick = ControlMessages::QuickWelcome();
    const QByteArray systemQuit = ControlMessages::SystemQuit();
    const QByteArray serverQuit = ControlMessages::ServerQuit();
    const QByteArray chatA = Chat("a");
    const QByteArray chatB = Chat("bb");
    const QByteArray noZero(100, 'x');
    const struct {
        const char* name;
        From from;
        std::vector<QByteArray> chunks;
        std::vector<QByteArray> messages;
    } cases[] = {
        {"one chat block", From::Caller, {chatA}, {"a"}},
        {"empty chat line", From::Caller, {Chat("")}, {""}},
        {"two blocks in one read", From::Caller, {chatA + chatB}, {"a", "bb"}},
        {"block split over two reads", From::Caller, {chatA.left(30), chatA.mid(30)}, {"a"}},
        {"block split inside its text", From::Caller, {chatB.left(1), chatB.mid(1)}, {"bb"}},
        {"chat then closing word", From::Caller, {chatA + systemQuit}, {"a", "SYSTEMQUIT"}},
        {"closing word then chat",
         From::CalledSide,
         {welcome + serverQuit + chatA},
         {ControlMessages::WelcomeText(), "SERVERQUIT", "a"}},
        {"welcome then chat",
         From::CalledSide,
         {welcome + chatA},
         {ControlMessages::WelcomeText(), "a"}},
        {"quick welcome in pieces",
         From::CalledSide,
         {quick.left(4), quick.mid(4) + chatB},
         {ControlMessages::QuickWelcomeText(), "bb"}},
        {"refusal then closing word",
         From::CalledSide,
         {"REJECT" + serverQuit},
         {"REJECT", "SERVERQUIT"}},
        {"refusal in pieces", From::CalledSide, {"REJ", "ECT"}, {"REJECT"}},
        {"refusal counts only as the first word",
         From::CalledSide,
         {quick + Chat("REJECTED")},
         {ControlMessages::QuickWelcomeText(), "REJECTED"}},
        {"caller's chat with the welcome text keeps 100 bytes",
         From::Caller,
         {Chat("欢迎登录和交流!") + chatA},
         {ControlMessages::WelcomeText(), "a"}},
        {"block without zero is one message", From::Caller, {noZero + chatA}, {noZero, "a"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult result = ReadAll(c.from, c.chunks);
        EXPECT_EQ(result.messages, c.messages);
        EXPECT_FALSE(result.rest.has_value());
    }
}

TEST(ControlMessageReaderTest, IncompleteBytesWaitAndAreTakenAsOneMessage) {
    const struct {
        const char* name;
        From from;
        QByteArray bytes;
        QByteArray rest;
    } cases[] = {
        {"short chat without filler", From::Caller, QByteArray("hi\0", 3), "hi"},
        {"garbage", From::Caller, QByteArray("\xff\xfe\x01garbage", 10), "\xff\xfe\x01garbage"},
        {"cut closing word", From::Caller, "SYSTEMQ", "SYSTEMQ"},
        {"welcome text from the caller is chat", From::Caller, ControlMessages::Welcome(),
         ControlMessages::WelcomeText()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const ReadResult result = ReadAll(c.from, {c.bytes});
        EXPECT_TRUE(result.messages.empty());
        EXPECT_EQ(result.rest, c.rest);
    }
}

TEST(ControlMessageReaderTest, NeverHoldsMoreThanOneBlock) {
    ControlMessageReader reader(From::Caller);
    reader.Append(QByteArray(250, 'z'));
    EXPECT_EQ(reader.Room(), 0);
    EXPECT_EQ(reader.Next(), QByteArray(100, 'z'));
    EXPECT_EQ(reader.Room(), 100);
}

}  // namespace
