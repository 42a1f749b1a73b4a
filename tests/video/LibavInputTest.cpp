#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "call/MediaCounters.h"
#include "call/MediaState.h"
#include "support/RecordingMessageBoxes.h"
#include "video/CaptionConfig.h"
#include "video/FramePipeline.h"
#include "video/LibavVideoInput.h"
#include "video/PictureInPicture.h"
#include "video/SyntheticPicture.h"
#include "video/X11ScreenSource.h"

namespace {

// A lavfi source stands in for a camera: red picture with a blue top half,
// 320x240, delivered at another size than asked for.
TEST(LibavVideoInput, ScalesToTheFrameSizeTopFirstOrBottomUp) {
    LibavVideoInput input;
    ASSERT_EQ(
        input.Open("lavfi", "color=c=red:s=320x240:r=30,drawbox=x=0:y=0:w=320:h=120:c=blue:t=fill",
                   {}),
        LibavVideoInput::OpenStatus::kOpened);
    EXPECT_EQ(input.sourceWidth(), 320);
    constexpr int kWidth = 352, kHeight = 288;
    std::vector<uint8_t> frame(kWidth * kHeight * 4);
    for (const bool bottomUp : {false, true}) {
        SCOPED_TRACE(bottomUp);
        ASSERT_TRUE(input.ReadPicture(kWidth, kHeight, bottomUp, frame.data()));
        const uint8_t* firstRow = frame.data();
        const uint8_t* lastRow = frame.data() + (kHeight - 1) * kWidth * 4;
        const uint8_t* blueRow = bottomUp ? lastRow : firstRow;
        const uint8_t* redRow = bottomUp ? firstRow : lastRow;
        EXPECT_GT(blueRow[0], 200);
        EXPECT_LT(blueRow[2], 50);
        EXPECT_GT(redRow[2], 200);
        EXPECT_LT(redRow[0], 50);
    }
}

TEST(LibavVideoInput, MissingDeviceAndInterruptFailCleanly) {
    LibavVideoInput input;
    EXPECT_EQ(input.Open("v4l2", "/nonexistent/video0", {}),
              LibavVideoInput::OpenStatus::kDeviceUnavailable);
    std::vector<uint8_t> frame(64 * 4);
    EXPECT_FALSE(input.ReadPicture(8, 8, false, frame.data()));

    ASSERT_EQ(input.Open("lavfi", "color=c=red:s=64x48", {}), LibavVideoInput::OpenStatus::kOpened);
    input.Interrupt();
    EXPECT_FALSE(input.ReadPicture(8, 8, false, frame.data()));
}

// Runs for real only under an X server, e.g. xvfb-run.
TEST(X11ScreenSource, CopiesTheWholeScreen) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    auto screen = X11ScreenSource::Open();
    ASSERT_NE(screen, nullptr);
    const QImage first = screen->Grab();
    ASSERT_FALSE(first.isNull());
    EXPECT_GT(first.width(), 0);
    EXPECT_FALSE(screen->Grab().isNull());
}

// The desktop mode on a real X display (an empty Xvfb screen is black): the
// screen everywhere but the top-right inset, which shows the camera.
TEST(X11ScreenSource, DesktopModeComposesTheRealScreenWithTheCameraInset) {
    if (std::getenv("DISPLAY") == nullptr) GTEST_SKIP() << "no X display";
    constexpr int kWidth = 352, kHeight = 288;
    MediaState state;
    MediaCounters counters;
    CaptionConfig caption;
    PictureInPicture pip(kWidth, kHeight);
    RecordingMessageBoxes boxes;
    FramePipeline pipeline(kWidth, kHeight, {state, counters, caption, pip, boxes}, {});
    std::vector<uint8_t> camera(kWidth * kHeight * 4);
    DrawSyntheticPicture(kWidth, kHeight, 0, camera.data());  // upside down does not matter here
    state.desktopPlusVideo = 1;
    pipeline.ProcessCapturedFrame(camera.data(), camera.size());
    EXPECT_TRUE(boxes.Boxes().empty());
    const QImage& sent = pipeline.localFrame();
    EXPECT_EQ(qGray(sent.pixel(10, 200)), 0);
    int lit = 0;
    for (int y = 1; y <= 71; ++y) {
        for (int x = 264; x <= 350; ++x) lit += qGray(sent.pixel(x, y)) > 40 ? 1 : 0;
    }
    EXPECT_GT(lit, 87 * 71 / 2);
}

}  // namespace
