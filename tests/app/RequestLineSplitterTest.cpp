#include <gtest/gtest.h>

#include "app/RequestLineSplitter.h"

namespace {

TEST(RequestLineSplitterTest, JoinsPiecesAndSplitsLines) {
    RequestLineSplitter splitter;
    EXPECT_TRUE(splitter.Feed("sta").isEmpty());
    const QList<RequestLineSplitter::Line> lines = splitter.Feed("tus\ninvoke 1\n\nqu");
    ASSERT_EQ(lines.size(), 3);
    EXPECT_EQ(lines[0].text, "status");
    EXPECT_EQ(lines[1].text, "invoke 1");
    EXPECT_EQ(lines[2].text, "");
    const QList<RequestLineSplitter::Line> last = splitter.Feed("it\n");
    ASSERT_EQ(last.size(), 1);
    EXPECT_EQ(last[0].text, "quit");
}

TEST(RequestLineSplitterTest, ReportsAnOverlongLineOnceAndRecoversAtItsEnd) {
    RequestLineSplitter splitter;
    const QByteArray limit(RequestLineSplitter::kMaxLineBytes, 'a');
    // Exactly at the limit is still a line.
    QList<RequestLineSplitter::Line> lines = splitter.Feed(limit + "\n");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_FALSE(lines[0].tooLong);

    lines = splitter.Feed(limit);
    EXPECT_TRUE(lines.isEmpty());
    lines = splitter.Feed("b");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_TRUE(lines[0].tooLong);
    // The rest of the overlong line is dropped without further reports.
    EXPECT_TRUE(splitter.Feed(QByteArray(100000, 'c')).isEmpty());
    lines = splitter.Feed("ccc\nstatus\n");
    ASSERT_EQ(lines.size(), 1);
    EXPECT_FALSE(lines[0].tooLong);
    EXPECT_EQ(lines[0].text, "status");
}

}  // namespace
