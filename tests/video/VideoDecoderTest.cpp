#include "video/VideoDecoder.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "support/RecordingMessageBoxes.h"
#include "video/CodingTestPictures.h"
#include "video/VideoEncoder.h"

namespace {

constexpr int kCifWidth = 352;
constexpr int kCifHeight = 288;

class VideoDecoderTest : public ::testing::Test {
protected:
    // Encodes synthetic frame `number` at the given size into `frame`.
    void EncodeFrame(int width, int height, uint64_t number) {
        if (!encoder.IsOpen()) {
            ASSERT_TRUE(encoder.Open(width, height));
        }
        ASSERT_TRUE(encoder.Encode(SyntheticI420(width, height, number), *frame));
    }

    RecordingMessageBoxes boxes;
    MediaCounters counters;
    VideoEncoder encoder{counters};
    VideoDecoder decoder{boxes, counters};
    std::unique_ptr<EncodedFrame> frame = std::make_unique<EncodedFrame>();
    int picturesHandedOn = 0;
};

TEST_F(VideoDecoderTest, DecodesOwnEncoderAndHandsPictureOn) {
    ASSERT_TRUE(decoder.Open(kCifWidth, kCifHeight));
    std::size_t handedBytes = 0;
    decoder.SetPictureHandler([&](std::span<const uint8_t> picture) {
        ++picturesHandedOn;
        handedBytes = picture.size();
    });
    for (uint64_t n = 0; n < 8; ++n) {
        EncodeFrame(kCifWidth, kCifHeight, n);
        ASSERT_TRUE(decoder.Decode(*frame)) << "frame " << n;
        const auto expected = SyntheticI420(kCifWidth, kCifHeight, n);
        EXPECT_GT(LumaPsnr(expected.data(), decoder.DecodedFrame().data(), kCifWidth, kCifHeight),
                  30.0)
            << "frame " << n;
    }
    EXPECT_EQ(picturesHandedOn, 8);
    EXPECT_EQ(handedBytes, 152064u);
    EXPECT_EQ(counters.framesDecoded.load(), 8u);
    EXPECT_TRUE(boxes.Boxes().empty());
}

// A partner configured with another frame size: its pictures are scaled to
// ours, in both directions, and never written past our frame.
TEST_F(VideoDecoderTest, ScalesPicturesOfAnotherSize) {
    for (auto [w, h] : {std::pair{176, 144}, std::pair{640, 480}}) {
        encoder.Close();
        ASSERT_TRUE(decoder.Open(kCifWidth, kCifHeight));
        EncodeFrame(w, h, 3);
        ASSERT_TRUE(decoder.Decode(*frame)) << w << "x" << h;
        ASSERT_EQ(decoder.DecodedFrame().size(), 152064u);
        const auto expected = SyntheticI420(kCifWidth, kCifHeight, 3);
        // Scaling blurs the bars' edges, but the picture must be ours.
        EXPECT_GT(LumaPsnr(expected.data(), decoder.DecodedFrame().data(), kCifWidth, kCifHeight),
                  15.0)
            << w << "x" << h;
    }
}

TEST_F(VideoDecoderTest, UndecodableFrameShowsNothing) {
    ASSERT_TRUE(decoder.Open(kCifWidth, kCifHeight));
    decoder.SetPictureHandler([&](std::span<const uint8_t>) { ++picturesHandedOn; });
    const uint8_t garbage[] = {0, 0, 0, 1, 0x65, 0xff, 0x13, 0x37, 0x00, 0x42};
    std::copy(std::begin(garbage), std::end(garbage), frame->data.begin());
    frame->length = sizeof garbage;
    EXPECT_FALSE(decoder.Decode(*frame));
    frame->length = 0;
    EXPECT_FALSE(decoder.Decode(*frame));
    EXPECT_EQ(picturesHandedOn, 0);
    EXPECT_EQ(counters.framesDecoded.load(), 0u);
}

TEST_F(VideoDecoderTest, ClosedDecoderDropsFrames) {
    EncodeFrame(kCifWidth, kCifHeight, 0);
    EXPECT_FALSE(decoder.Decode(*frame));
    ASSERT_TRUE(decoder.Open(kCifWidth, kCifHeight));
    decoder.Close();
    EncodeFrame(kCifWidth, kCifHeight, 1);
    EXPECT_FALSE(decoder.Decode(*frame));
}

TEST(VideoDecoderOpenTest, MissingH264DecoderShowsCodecError) {
    RecordingMessageBoxes boxes;
    MediaCounters counters;
    VideoDecoder decoder(boxes, counters, [] { return static_cast<const AVCodec*>(nullptr); });
    EXPECT_FALSE(decoder.Open(kCifWidth, kCifHeight));
    EXPECT_FALSE(decoder.IsOpen());
    const auto shown = boxes.Boxes();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].text, "codec error!");
    auto frame = std::make_unique<EncodedFrame>();
    frame->length = 10;
    EXPECT_FALSE(decoder.Decode(*frame));
}

}  // namespace
