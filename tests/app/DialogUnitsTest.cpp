#include <gtest/gtest.h>

#include <QFontInfo>

#include "app/DialogUnits.h"

namespace {

TEST(DialogUnitsTest, ConvertsWithTheFontsBaseUnitsRoundingToNearest) {
    // 黑体 9 pt at 96 dpi: 6 pixels wide on average, 12 high.
    const DialogUnits units(6, 12);
    EXPECT_EQ(units.Size(219, 436), QSize(329, 654));
    EXPECT_EQ(units.Rect(7, 31, 210, 124), QRect(11, 47, 315, 186));
    EXPECT_EQ(units.X(1), 2);  // 1.5 rounds up
    EXPECT_EQ(units.Y(0), 0);
}

TEST(DialogUnitsTest, TheDialogFontIsACjkFontOfNinePoints) {
    const QFont font = DialogUnits::DialogFont();
    EXPECT_EQ(font.pointSize(), 9);
    const DialogUnits units = DialogUnits::ForFont(font);
    EXPECT_GT(units.BaseWidthPx(), 0);
    EXPECT_GT(units.BaseHeightPx(), units.BaseWidthPx());
}

}  // namespace
