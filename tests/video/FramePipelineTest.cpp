#include "video/FramePipeline.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "call/MediaCounters.h"
#include "call/MediaState.h"
#include "support/RecordingMessageBoxes.h"
#include "video/CaptionConfig.h"
#include "video/ConvertRgb32ToYuv420.h"
#include "video/PictureInPicture.h"
#include "video/SyntheticPicture.h"

namespace {

constexpr int kWidth = 352;
constexpr int kHeight = 288;
constexpr QRgb kScreenBlue = qRgb(0, 0, 200);

class FakeScreen : public ScreenSource {
public:
    QImage Grab() override {
        QImage screen(1024, 768, QImage::Format_RGB32);
        screen.fill(kScreenBlue);
        return screen;
    }
};

class FramePipelineTest : public ::testing::Test {
protected:
    FramePipelineTest() {
        DrawSyntheticPicture(kWidth, kHeight, 5, picture_.bits());
        const size_t rowBytes = kWidth * 4;
        for (int row = 0; row < kHeight; ++row) {
            std::memcpy(bottomUp_.data() + rowBytes * (kHeight - 1 - row),
                        picture_.constScanLine(row), rowBytes);
        }
        CaptionSettings settings;
        settings.captionOn = false;
        caption_.Set(settings);
    }

    FramePipeline MakePipeline(bool screenAvailable = true) {
        FramePipeline::Hooks hooks;
        hooks.encodeAndSend = [this](const uint8_t* yuv, size_t length) {
            sent_.emplace_back(yuv, yuv + length);
        };
        hooks.preview = [this](const QImage& picture) { previews_.push_back(picture); };
        hooks.timeOfDay = [] { return QTime(9, 5, 7); };
        hooks.openScreen = [screenAvailable]() -> std::unique_ptr<ScreenSource> {
            if (!screenAvailable) return nullptr;
            return std::make_unique<FakeScreen>();
        };
        return FramePipeline(kWidth, kHeight, {state_, counters_, caption_, pip_, boxes_},
                             std::move(hooks));
    }

    void Process(FramePipeline& pipeline) {
        pipeline.ProcessCapturedFrame(bottomUp_.data(), bottomUp_.size());
    }

    MediaState state_;
    MediaCounters counters_;
    CaptionConfig caption_;
    PictureInPicture pip_{kWidth, kHeight};
    RecordingMessageBoxes boxes_;
    QImage picture_{kWidth, kHeight, QImage::Format_RGB32};
    std::vector<uint8_t> bottomUp_ = std::vector<uint8_t>(kWidth * kHeight * 4);
    std::vector<std::vector<uint8_t>> sent_;
    std::vector<QImage> previews_;
};

TEST_F(FramePipelineTest, FlipsConvertsAndCountsEveryFrame) {
    FramePipeline pipeline = MakePipeline();
    Process(pipeline);
    Process(pipeline);
    EXPECT_EQ(pipeline.localFrame(), picture_);
    std::vector<uint8_t> expected(kWidth * kHeight * 3 / 2);
    ConvertRgb32ToYuv420Plain(kWidth, kHeight, picture_.constBits(), expected.data());
    EXPECT_EQ(pipeline.encoderInputFrame(), expected);
    EXPECT_EQ(counters_.framesCaptured.load(), 2u);
    ASSERT_EQ(previews_.size(), 2u);
    EXPECT_EQ(previews_[0], picture_);
}

TEST_F(FramePipelineTest, EncodesAndSendsOnlyWhileTheSendGateIsSet) {
    FramePipeline pipeline = MakePipeline();
    Process(pipeline);
    EXPECT_TRUE(sent_.empty());
    state_.sendGate = 1;
    Process(pipeline);
    ASSERT_EQ(sent_.size(), 1u);
    EXPECT_EQ(sent_[0], pipeline.encoderInputFrame());
}

TEST_F(FramePipelineTest, FramesOfAnotherLengthAreDropped) {
    FramePipeline pipeline = MakePipeline();
    state_.sendGate = 1;
    pipeline.ProcessCapturedFrame(bottomUp_.data(), bottomUp_.size() - 4);
    pipeline.ProcessCapturedFrame(nullptr, bottomUp_.size());
    EXPECT_EQ(counters_.framesCaptured.load(), 0u);
    EXPECT_TRUE(sent_.empty());
    EXPECT_TRUE(previews_.empty());
}

TEST_F(FramePipelineTest, CaptionIsDrawnOnlyWhenOnAndTimeAloneDrawsNothing) {
    FramePipeline pipeline = MakePipeline();
    CaptionSettings settings;
    settings.captionOn = false;
    settings.timeOn = true;
    caption_.Set(settings);
    Process(pipeline);
    EXPECT_EQ(pipeline.localFrame(), picture_);

    settings.captionOn = true;
    settings.captionColour = 0x00FF00;
    caption_.Set(settings);
    Process(pipeline);
    EXPECT_NE(pipeline.localFrame(), picture_);
    // The caption sits in the bottom-left corner and leaves the top alone.
    EXPECT_EQ(pipeline.localFrame().copy(0, 0, kWidth, kHeight / 2),
              picture_.copy(0, 0, kWidth, kHeight / 2));
    // The inset source and the preview carry the caption too.
    EXPECT_EQ(previews_.back(), pipeline.localFrame());
}

TEST_F(FramePipelineTest, InsetSourceFollowsTheLatestCameraPicture) {
    FramePipeline pipeline = MakePipeline();
    Process(pipeline);
    pip_.SetPlacement({0, 0, kWidth, kHeight});
    std::vector<uint8_t> remote(kWidth * kHeight * 3, 0);
    pip_.DrawInset(remote.data(), kWidth, kHeight);
    // Top-left pixel of the picture is the first bar (75 % white).
    const uint8_t* topLeft = remote.data() + static_cast<size_t>(kHeight - 1) * kWidth * 3;
    EXPECT_EQ(topLeft[0], 191);
    EXPECT_EQ(topLeft[2], 191);
}

TEST_F(FramePipelineTest, DesktopModesSendTheScreenWithOrWithoutTheCamera) {
    FramePipeline pipeline = MakePipeline();
    state_.desktopPlusVideo = 1;
    Process(pipeline);
    EXPECT_EQ(pipeline.localFrame().pixel(0, kHeight - 1), kScreenBlue);
    EXPECT_EQ(pipeline.localFrame().pixel(263, 1), kScreenBlue);
    EXPECT_NE(pipeline.localFrame().pixel(264, 1), kScreenBlue);
    // The preview shows what is sent.
    EXPECT_EQ(previews_.back(), pipeline.localFrame());

    state_.desktopOnly = 1;
    Process(pipeline);
    EXPECT_EQ(pipeline.localFrame().pixel(300, 30), kScreenBlue);
    EXPECT_TRUE(boxes_.Boxes().empty());
}

TEST_F(FramePipelineTest, WithoutADisplayTheCameraIsSentAndTheUserToldOnce) {
    FramePipeline pipeline = MakePipeline(false);
    state_.desktopPlusVideo = 1;
    Process(pipeline);
    Process(pipeline);
    EXPECT_EQ(pipeline.localFrame(), picture_);
    ASSERT_EQ(boxes_.Boxes().size(), 1u);
    EXPECT_EQ(boxes_.Boxes()[0].caption, "提示");
}

}  // namespace
