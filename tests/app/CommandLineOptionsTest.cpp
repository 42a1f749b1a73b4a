#include <gtest/gtest.h>

#include "app/CommandLineOptions.h"

namespace {

struct Case {
    QStringList arguments;
    bool valid;
    QString controlPath;
    std::optional<bool> answer;
    QString callAddress;
    std::optional<quint16> callPort;
};

TEST(CommandLineOptionsTest, ParsesEachOptionAndRefusesWrongValues) {
    const Case cases[] = {
        {{"videophone"}, true, {}, std::nullopt, {}, std::nullopt},
        {{"videophone", "--control", "/tmp/c", "--answer", "yes"}, true, "/tmp/c", true, {}, {}},
        {{"videophone", "--answer", "no"}, true, {}, false, {}, {}},
        {{"videophone", "--call", "10.77.0.2"}, true, {}, {}, "10.77.0.2", std::nullopt},
        {{"videophone", "--call", "10.77.0.2:6000"}, true, {}, {}, "10.77.0.2", 6000},
        {{"videophone", "--answer", "YES"}, false, {}, {}, {}, {}},
        {{"videophone", "--answer"}, false, {}, {}, {}, {}},
        {{"videophone", "--control", ""}, false, {}, {}, {}, {}},
        {{"videophone", "--call", "10.77.0.256"}, false, {}, {}, {}, {}},
        {{"videophone", "--call", "10.77.0.2:0"}, false, {}, {}, {}, {}},
        {{"videophone", "--call", "10.77.0.2:65536"}, false, {}, {}, {}, {}},
        {{"videophone", "--call", "10.77.0.2:"}, false, {}, {}, {}, {}},
        {{"videophone", "--call", "example.org"}, false, {}, {}, {}, {}},
        {{"videophone", "--verbose"}, false, {}, {}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments.join(' ').toStdString());
        QString error;
        const std::optional<CommandLineOptions> options =
            CommandLineOptions::Parse(c.arguments, error);
        ASSERT_EQ(options.has_value(), c.valid);
        if (!c.valid) {
            EXPECT_FALSE(error.isEmpty());
            continue;
        }
        EXPECT_EQ(options->controlPath, c.controlPath);
        EXPECT_EQ(options->scriptedAnswer, c.answer);
        EXPECT_EQ(options->callAddress, c.callAddress);
        EXPECT_EQ(options->callPort, c.callPort);
    }
}

}  // namespace
