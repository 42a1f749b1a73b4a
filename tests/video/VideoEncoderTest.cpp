#include "video/VideoEncoder.h"

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "video/CodingTestPictures.h"

namespace {

constexpr int kCifWidth = 352;
constexpr int kCifHeight = 288;

// NAL unit types of an Annex B stream, in order.
std::vector<int> NalTypes(const uint8_t* data, std::size_t length) {
    std::vector<int> types;
    for (std::size_t i = 0; i + 3 < length; ++i) {
        if (data[i] == 0 && data[i + 1] == 0 && data[i + 2] == 1) {
            types.push_back(data[i + 3] & 0x1f);
            i += 3;
        }
    }
    return types;
}

class VideoEncoderTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(encoder.Open(kCifWidth, kCifHeight)); }

    bool EncodeFrame(uint64_t number) {
        return encoder.Encode(SyntheticI420(kCifWidth, kCifHeight, number), *frame);
    }
    std::vector<int> FrameNalTypes() const { return NalTypes(frame->data.data(), frame->length); }

    MediaCounters counters;
    VideoEncoder encoder{counters};
    std::unique_ptr<EncodedFrame> frame = std::make_unique<EncodedFrame>();
};

TEST_F(VideoEncoderTest, HeadersHoldOnlySpsAndPps) {
    const auto headers = encoder.Headers();
    ASSERT_LE(headers.size(), VideoEncoder::kHeaderCapacityBytes);
    EXPECT_EQ(NalTypes(headers.data(), headers.size()), (std::vector<int>{7, 8}));
}

TEST_F(VideoEncoderTest, FirstFrameIsSelfContainedIdr) {
    ASSERT_TRUE(EncodeFrame(0));
    const auto types = FrameNalTypes();
    ASSERT_GE(types.size(), 3u);
    EXPECT_EQ(types[0], 7);
    EXPECT_EQ(types[1], 8);
    EXPECT_EQ(types[2], 5);
    EXPECT_EQ(frame->idrFlag, 1);
    const auto headers = encoder.Headers();
    EXPECT_TRUE(std::equal(headers.begin(), headers.end(), frame->data.begin()));
}

TEST_F(VideoEncoderTest, EveryFrameStartsWithHeadersAndKeyFramesComeWithinSix) {
    int framesSinceKey = 0;
    for (uint64_t n = 0; n < 40; ++n) {
        ASSERT_TRUE(EncodeFrame(n)) << "frame " << n;
        const auto types = FrameNalTypes();
        ASSERT_GE(types.size(), 3u);
        EXPECT_EQ(types[0], 7) << "frame " << n;
        EXPECT_EQ(types[1], 8) << "frame " << n;
        bool hasIdr = false;
        for (std::size_t i = 2; i < types.size(); ++i) {
            EXPECT_TRUE(types[i] == 1 || types[i] == 5) << "frame " << n << " NAL " << types[i];
            hasIdr = hasIdr || types[i] == 5;
        }
        EXPECT_EQ(frame->idrFlag, hasIdr ? 1 : 0);
        framesSinceKey = hasIdr ? 0 : framesSinceKey + 1;
        EXPECT_LT(framesSinceKey, 6) << "frame " << n;
    }
    EXPECT_EQ(counters.framesEncoded.load(), 40u);
}

TEST_F(VideoEncoderTest, CifInputIsExactly152064Bytes) {
    std::vector<uint8_t> input = SyntheticI420(kCifWidth, kCifHeight, 0);
    ASSERT_EQ(input.size(), 152064u);
    EXPECT_FALSE(encoder.Encode(std::span(input).first(input.size() - 1), *frame));
    EXPECT_EQ(frame->length, 0u);
    EXPECT_TRUE(encoder.Encode(input, *frame));
}

TEST_F(VideoEncoderTest, ClosedEncoderProducesNothing) {
    encoder.Close();
    frame->length = 123;
    EXPECT_FALSE(EncodeFrame(0));
    EXPECT_EQ(frame->length, 0u);
    EXPECT_EQ(counters.framesEncoded.load(), 0u);
    EXPECT_TRUE(encoder.Headers().empty());
}

TEST(VideoEncoderOpenTest, RefusesSizesItCannotEncode) {
    MediaCounters counters;
    VideoEncoder encoder(counters);
    for (auto [w, h] : {std::pair{0, 288}, std::pair{352, -2}, std::pair{351, 288}}) {
        EXPECT_FALSE(encoder.Open(w, h)) << w << "x" << h;
        EXPECT_FALSE(encoder.IsOpen());
    }
}

}  // namespace
