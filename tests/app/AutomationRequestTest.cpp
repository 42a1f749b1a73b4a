#include <gtest/gtest.h>

#include "app/AutomationRequest.h"

namespace {

using Verb = AutomationRequest::Verb;

TEST(AutomationRequestTest, ParsesEveryVerb) {
    const AutomationRequest status = AutomationRequest::Parse(u"status");
    ASSERT_TRUE(status.IsValid());
    EXPECT_EQ(status.verb, Verb::Status);

    const AutomationRequest invoke = AutomationRequest::Parse(u"invoke 32834\r");
    ASSERT_TRUE(invoke.IsValid());
    EXPECT_EQ(invoke.verb, Verb::Invoke);
    EXPECT_EQ(invoke.commandId, 32834);

    const AutomationRequest no = AutomationRequest::Parse(u"answer no");
    ASSERT_TRUE(no.IsValid());
    EXPECT_EQ(no.verb, Verb::Answer);
    EXPECT_FALSE(no.answerYes);
    EXPECT_TRUE(AutomationRequest::Parse(u"answer yes").answerYes);

    // The text is everything behind the first blank, blanks and all.
    const AutomationRequest type = AutomationRequest::Parse(u"type 你好  world ");
    ASSERT_TRUE(type.IsValid());
    EXPECT_EQ(type.verb, Verb::Type);
    EXPECT_EQ(type.text, QStringLiteral("你好  world "));

    const AutomationRequest call = AutomationRequest::Parse(u"call 10.77.0.2 5928");
    ASSERT_TRUE(call.IsValid());
    EXPECT_EQ(call.verb, Verb::Call);
    EXPECT_EQ(call.address, QStringLiteral("10.77.0.2"));
    EXPECT_EQ(call.port, 5928);

    EXPECT_EQ(AutomationRequest::Parse(u"quit").verb, Verb::Quit);
}

TEST(AutomationRequestTest, RefusesWrongInput) {
    const char16_t* lines[] = {
        u"",
        u"STATUS",
        u"statusx",
        u"status now",
        u"quit please",
        u"invoke",
        u"invoke ",
        u"invoke abc",
        u"invoke 12abc",
        u"invoke -5",
        u"invoke +5",
        u"invoke 0",
        u"invoke 65536",
        u"invoke 99999999999999999999",
        u"answer",
        u"answer maybe",
        u"answer Yes",
        u"call 10.77.0.2",
        u"call 10.77.0.2 0",
        u"call 10.77.0.2 port",
        u"call 300.1.1.1 5928",
        u"call host 5928",
        u"rm -rf /",
    };
    for (const char16_t* line : lines) {
        SCOPED_TRACE(QString::fromUtf16(line).toStdString());
        const AutomationRequest request = AutomationRequest::Parse(QString::fromUtf16(line));
        EXPECT_FALSE(request.IsValid());
    }
}

}  // namespace
