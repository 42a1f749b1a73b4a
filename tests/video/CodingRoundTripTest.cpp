#include <gtest/gtest.h>

#include <memory>

#include "support/RecordingMessageBoxes.h"
#include "transport/VideoFrameReassembler.h"
#include "transport/VideoPacketiser.h"
#include "video/CodingTestPictures.h"
#include "video/VideoDecoder.h"
#include "video/VideoEncoder.h"

namespace {

// The synthetic camera at CIF through encoder, RTP pieces, reassembly and
// decoder: every frame comes out, and close to what went in.
TEST(CodingRoundTripTest, SyntheticCameraAtCifKeepsPsnrAbove30Db) {
    constexpr int kWidth = 352;
    constexpr int kHeight = 288;
    RecordingMessageBoxes boxes;
    MediaCounters counters;
    VideoEncoder encoder(counters);
    VideoDecoder decoder(boxes, counters);
    VideoFrameReassembler reassembler;
    ASSERT_TRUE(encoder.Open(kWidth, kHeight));
    ASSERT_TRUE(decoder.Open(kWidth, kHeight));

    auto sent = std::make_unique<EncodedFrame>();
    uint32_t sequence = 1000;
    double worstPsnr = 99;
    for (uint64_t n = 0; n < 30; ++n) {
        const auto input = SyntheticI420(kWidth, kHeight, n);
        ASSERT_TRUE(encoder.Encode(input, *sent));
        int completed = 0;
        for (const VideoPiece& piece : VideoPacketiser::Split(*sent)) {
            const ReceivedVideoPiece received{0x1234, sequence++, piece.payloadType, piece.marker,
                                              piece.payload};
            if (reassembler.AddPiece(received) != VideoFrameReassembler::Result::kFrameComplete) {
                continue;
            }
            ++completed;
            ASSERT_TRUE(decoder.Decode(reassembler.Frame())) << "frame " << n;
        }
        ASSERT_EQ(completed, 1) << "frame " << n;
        worstPsnr = std::min(
            worstPsnr, LumaPsnr(input.data(), decoder.DecodedFrame().data(), kWidth, kHeight));
    }
    EXPECT_GT(worstPsnr, 30.0);
    EXPECT_EQ(counters.framesDecoded.load(), 30u);
    EXPECT_TRUE(boxes.Boxes().empty());
}

}  // namespace
