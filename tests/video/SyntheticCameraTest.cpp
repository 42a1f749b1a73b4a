#include "video/SyntheticCamera.h"

#include <gtest/gtest.h>

#include <chrono>
#include <vector>

#include "FakeFramePacer.h"
#include "video/SyntheticPicture.h"

namespace {

constexpr int kWidth = 176;
constexpr int kHeight = 144;

std::vector<uint8_t> Picture(uint64_t frameNumber) {
    std::vector<uint8_t> picture(kWidth * kHeight * 4);
    DrawSyntheticPicture(kWidth, kHeight, frameNumber, picture.data());
    return picture;
}

TEST(SyntheticPicture, SameFrameNumberSamePictureAndEveryFrameDiffers) {
    EXPECT_EQ(Picture(42), Picture(42));
    EXPECT_NE(Picture(42), Picture(43));
    EXPECT_NE(Picture(9), Picture(10));
}

TEST(SyntheticCamera, DeliversNumberedPicturesBottomUp) {
    SyntheticCamera camera(kWidth, kHeight, std::make_unique<FakeFramePacer>());
    std::vector<uint8_t> frame(kWidth * kHeight * 4);
    for (uint64_t number = 0; number < 3; ++number) {
        ASSERT_TRUE(camera.ReadFrame(frame.data()));
        const std::vector<uint8_t> expected = Picture(number);
        const size_t rowBytes = kWidth * 4;
        for (int row = 0; row < kHeight; ++row) {
            ASSERT_TRUE(std::equal(expected.begin() + rowBytes * row,
                                   expected.begin() + rowBytes * (row + 1),
                                   frame.begin() + rowBytes * (kHeight - 1 - row)))
                << "frame " << number << " row " << row;
        }
    }
}

TEST(SyntheticCamera, FramesAreDueThirtyTimesASecondFromTheStart) {
    auto pacer = std::make_unique<FakeFramePacer>();
    FakeFramePacer* clock = pacer.get();
    const auto start = clock->Now();
    SyntheticCamera camera(kWidth, kHeight, std::move(pacer));
    std::vector<uint8_t> frame(kWidth * kHeight * 4);
    for (int i = 0; i < 91; ++i) ASSERT_TRUE(camera.ReadFrame(frame.data()));
    const auto deadlines = clock->deadlines();
    ASSERT_EQ(deadlines.size(), 91u);
    using std::chrono::microseconds;
    for (int n : {0, 1, 30, 90}) {
        const auto offset = std::chrono::duration_cast<microseconds>(deadlines[n] - start);
        EXPECT_NEAR(offset.count(), n * 1000000.0 / 30, 1.0) << "frame " << n;
    }
}

TEST(SyntheticCamera, InterruptEndsReading) {
    SyntheticCamera camera(kWidth, kHeight, std::make_unique<FakeFramePacer>());
    std::vector<uint8_t> frame(kWidth * kHeight * 4);
    camera.Interrupt();
    EXPECT_FALSE(camera.ReadFrame(frame.data()));
}

}  // namespace
