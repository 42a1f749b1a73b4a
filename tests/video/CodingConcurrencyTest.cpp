#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

#include "support/RecordingMessageBoxes.h"
#include "video/CodingTestPictures.h"
#include "video/RemoteDisplay.h"
#include "video/VideoDecoder.h"
#include "video/VideoEncoder.h"

namespace {

// The switches open and close the coders on the window's thread while the
// capture or receive thread is still inside them (run under ThreadSanitizer).

constexpr int kWidth = 176;
constexpr int kHeight = 144;

TEST(CodingConcurrencyTest, EncoderClosedAndReopenedWhileEncoding) {
    MediaCounters counters;
    VideoEncoder encoder(counters);
    ASSERT_TRUE(encoder.Open(kWidth, kHeight));
    const auto input = SyntheticI420(kWidth, kHeight, 1);
    std::atomic<bool> done{false};
    std::thread capture([&] {
        auto out = std::make_unique<EncodedFrame>();
        while (!done.load()) {
            if (!encoder.Encode(input, *out)) {
                EXPECT_EQ(out->length, 0u);
            }
        }
    });
    for (int i = 0; i < 5; ++i) {
        encoder.Close();
        ASSERT_TRUE(encoder.Open(kWidth, kHeight));
    }
    done = true;
    capture.join();
}

TEST(CodingConcurrencyTest, DecoderClosedWhileDecodingAndShowing) {
    MediaCounters counters;
    VideoEncoder encoder(counters);
    ASSERT_TRUE(encoder.Open(kWidth, kHeight));
    auto frame = std::make_unique<EncodedFrame>();
    ASSERT_TRUE(encoder.Encode(SyntheticI420(kWidth, kHeight, 0), *frame));

    MediaState state;
    RemoteDisplay display(kWidth, kHeight, state, counters, {});
    RecordingMessageBoxes boxes;
    VideoDecoder decoder(boxes, counters);
    decoder.SetPictureHandler(
        [&](std::span<const uint8_t> i420) { display.ShowRemoteFrame(i420); });
    ASSERT_TRUE(decoder.Open(kWidth, kHeight));

    std::atomic<bool> done{false};
    std::thread receive([&] {
        while (!done.load()) decoder.Decode(*frame);
    });
    std::vector<uint8_t> latest;
    for (int i = 0; i < 5; ++i) {
        state.fullPictureFlag = i % 2;
        display.CopyLatestPicture(latest);
        decoder.Close();
        ASSERT_TRUE(decoder.Open(kWidth, kHeight));
    }
    done = true;
    receive.join();
    EXPECT_TRUE(boxes.Boxes().empty());
}

}  // namespace
