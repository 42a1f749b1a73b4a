#include <gtest/gtest.h>

#include <QImage>
#include <vector>

#include "video/DesktopComposition.h"
#include "video/PictureInPicture.h"

namespace {

constexpr int kWidth = 352;
constexpr int kHeight = 288;

QImage Filled(int width, int height, QRgb colour) {
    QImage picture(width, height, QImage::Format_RGB32);
    picture.fill(colour);
    return picture;
}

TEST(DesktopComposition, CameraInsetCoversColumns264To350AndRows1To71AtCif) {
    const QRgb screenBlue = qRgb(0, 0, 200);
    const QRgb cameraRed = qRgb(200, 0, 0);
    const QImage screen = Filled(1024, 768, screenBlue);
    QImage local = Filled(kWidth, kHeight, cameraRed);
    ComposeDesktopPicture(ScaleDesktopToFrame(screen, kWidth, kHeight), true, local);

    EXPECT_EQ(CameraInsetRect(kWidth, kHeight), QRect(QPoint(264, 1), QPoint(350, 71)));
    for (int y = 0; y < kHeight; ++y) {
        for (int x = 0; x < kWidth; ++x) {
            const bool inset = x >= 264 && x <= 350 && y >= 1 && y <= 71;
            ASSERT_EQ(local.pixel(x, y), inset ? cameraRed : screenBlue) << x << "," << y;
        }
    }
}

TEST(DesktopComposition, DesktopOnlyLeavesTheCameraOut) {
    const QImage screen = Filled(kWidth, kHeight, qRgb(0, 0, 200));
    QImage local = Filled(kWidth, kHeight, qRgb(200, 0, 0));
    ComposeDesktopPicture(screen, false, local);
    EXPECT_EQ(local, screen);
}

TEST(DesktopComposition, ScreenOfTheFrameSizeIsUsedUnscaled) {
    QImage screen(1280, 720, QImage::Format_RGB32);
    for (int y = 0; y < screen.height(); ++y) {
        for (int x = 0; x < screen.width(); ++x) screen.setPixel(x, y, qRgb(x & 1 ? 255 : 0, y, 7));
    }
    EXPECT_EQ(ScaleDesktopToFrame(screen, 1280, 720), screen);
    EXPECT_EQ(ScaleDesktopToFrame(screen, 352, 288).size(), QSize(352, 288));
}

class PictureInPictureTest : public ::testing::Test {
protected:
    static constexpr uint8_t kGrey = 77;

    PictureInPictureTest() : remote_(kWidth * kHeight * 3, kGrey) {
        const QImage camera = Filled(kWidth, kHeight, qRgb(255, 0, 0));
        pip_.UpdateSource(camera.constBits());
    }

    // B, G, R of picture row y (top = 0), column x.
    const uint8_t* At(int x, int y) const {
        return remote_.data() + (static_cast<size_t>(kHeight - 1 - y) * kWidth + x) * 3;
    }
    bool IsRed(int x, int y) const {
        const uint8_t* p = At(x, y);
        return p[0] == 0 && p[1] == 0 && p[2] == 255;
    }

    PictureInPicture pip_{kWidth, kHeight};
    std::vector<uint8_t> remote_;
};

TEST_F(PictureInPictureTest, DrawsTheCameraIntoTheRectangleCountedFromTheTop) {
    pip_.SetPlacement({10, 20, 160, 130});
    pip_.DrawInset(remote_.data(), kWidth, kHeight);
    EXPECT_TRUE(IsRed(10, 20));
    EXPECT_TRUE(IsRed(169, 149));
    EXPECT_FALSE(IsRed(9, 20));
    EXPECT_FALSE(IsRed(10, 19));
    EXPECT_FALSE(IsRed(170, 149));
    EXPECT_FALSE(IsRed(169, 150));
}

TEST_F(PictureInPictureTest, InsetOutsideThePictureIsClipped) {
    struct Case {
        const char* name;
        InsetPlacement placement;
        int redPixels;
    };
    const Case cases[] = {
        {"pipX beyond the width", {kWidth + 5, 0, 160, 130}, 0},
        {"pipY beyond the height", {0, kHeight, 160, 130}, 0},
        {"right part outside", {kWidth - 40, 0, 160, 130}, 40 * 130},
        {"bottom part outside", {0, kHeight - 30, 160, 130}, 160 * 30},
        {"left and top outside", {-100, -100, 160, 130}, 60 * 30},
        {"zero width", {0, 0, 0, 130}, 0},
        {"absurdly large", {0, 0, 1 << 30, 1 << 30}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::fill(remote_.begin(), remote_.end(), kGrey);
        pip_.SetPlacement(c.placement);
        pip_.DrawInset(remote_.data(), kWidth, kHeight);
        int red = 0;
        for (int y = 0; y < kHeight; ++y) {
            for (int x = 0; x < kWidth; ++x) red += IsRed(x, y) ? 1 : 0;
        }
        EXPECT_EQ(red, c.redPixels);
    }
}

}  // namespace
