#include "video/RemoteDisplay.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr int kWidth = 32;
constexpr int kHeight = 4;

// Picture row 0 white, the rest black, grey chroma.
std::vector<uint8_t> TopRowWhite() {
    std::vector<uint8_t> i420(kWidth * kHeight * 3 / 2, 128);
    std::fill(i420.begin(), i420.begin() + kWidth * kHeight, 16);
    std::fill(i420.begin(), i420.begin() + kWidth, 236);
    return i420;
}

class RemoteDisplayTest : public ::testing::Test {
protected:
    RemoteDisplay MakeDisplay() {
        RemoteDisplay::Hooks hooks;
        hooks.drawInset = [this](uint8_t* rgb, int w, int h) {
            events.push_back("inset");
            // Paint the bottom memory row (picture row 0) red.
            for (int x = 0; x < w; ++x) {
                uint8_t* px = rgb + (static_cast<std::size_t>(h - 1) * w + x) * 3;
                px[0] = 0, px[1] = 0, px[2] = 255;
            }
        };
        hooks.takeSnapshot = [this](std::span<const uint8_t> rgb, int, int) {
            events.push_back("snapshot");
            snapshotFirstRowRed = rgb[(kHeight - 1) * kWidth * 3 + 2];
        };
        hooks.showPicture = [this](const QImage& image, DisplayTarget target) {
            events.push_back("show");
            shown = image;
            shownTarget = target;
        };
        return RemoteDisplay(kWidth, kHeight, state, counters, hooks);
    }

    MediaState state;
    MediaCounters counters;
    std::vector<std::string> events;
    QImage shown;
    DisplayTarget shownTarget = DisplayTarget::RemoteArea;
    int snapshotFirstRowRed = -1;
};

TEST_F(RemoteDisplayTest, ShowsPictureTopRowFirstInTheChosenArea) {
    RemoteDisplay display = MakeDisplay();
    for (int full : {0, 1}) {
        state.fullPictureFlag = full;
        events.clear();
        display.ShowRemoteFrame(TopRowWhite());
        EXPECT_EQ(events, (std::vector<std::string>{"snapshot", "show"}));
        EXPECT_EQ(shownTarget, full ? DisplayTarget::FullPicture : DisplayTarget::RemoteArea);
        ASSERT_EQ(shown.size(), QSize(kWidth, kHeight));
        EXPECT_EQ(shown.pixel(5, 0), qRgb(255, 255, 255));
        EXPECT_EQ(shown.pixel(5, kHeight - 1), qRgb(0, 0, 0));
    }
    EXPECT_EQ(counters.framesShown.load(), 2u);
}

TEST_F(RemoteDisplayTest, InsetIsDrawnBeforeSnapshotOnlyWhenOn) {
    RemoteDisplay display = MakeDisplay();
    state.pipOn = 1;
    display.ShowRemoteFrame(TopRowWhite());
    EXPECT_EQ(events, (std::vector<std::string>{"inset", "snapshot", "show"}));
    EXPECT_EQ(snapshotFirstRowRed, 255);
    EXPECT_EQ(shown.pixel(0, 0), qRgb(255, 0, 0));

    std::vector<uint8_t> latest;
    ASSERT_TRUE(display.CopyLatestPicture(latest));
    EXPECT_EQ(latest[(kHeight - 1) * kWidth * 3 + 1], 0);  // the recorder sees the inset too
}

TEST_F(RemoteDisplayTest, ShortPictureIsIgnored) {
    RemoteDisplay display = MakeDisplay();
    std::vector<uint8_t> latest;
    EXPECT_FALSE(display.CopyLatestPicture(latest));
    auto picture = TopRowWhite();
    display.ShowRemoteFrame(std::span(picture).first(picture.size() - 1));
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(counters.framesShown.load(), 0u);
}

}  // namespace
