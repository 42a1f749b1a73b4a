#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "PatternFrame.h"
#include "transport/VideoFrameReassembler.h"
#include "transport/VideoPacketiser.h"

namespace {

TEST(VideoPacketiserTest, SplitsIntoPiecesOf1400Bytes) {
    struct Case {
        std::size_t length;
        bool idr;
        std::vector<std::size_t> pieceBytes;
    };
    const std::vector<Case> cases = {
        {0, false, {0}},
        {1, false, {1}},
        {1400, true, {1400}},
        {1401, false, {1400, 1}},
        {5000, true, {1400, 1400, 1400, 800}},
    };
    for (const Case& c : cases) {
        const auto frame = MakeFrame(c.length, c.idr, 1);
        const std::vector<VideoPiece> pieces = VideoPacketiser::Split(*frame);
        ASSERT_EQ(pieces.size(), c.pieceBytes.size()) << c.length;
        std::size_t offset = 0;
        for (std::size_t i = 0; i < pieces.size(); ++i) {
            EXPECT_EQ(pieces[i].payload.size(), c.pieceBytes[i]) << c.length;
            EXPECT_EQ(pieces[i].payload.data(), frame->data.data() + offset) << c.length;
            EXPECT_EQ(pieces[i].marker, i + 1 == pieces.size()) << c.length;
            EXPECT_EQ(pieces[i].payloadType, c.idr ? 120 : 121) << c.length;
            offset += pieces[i].payload.size();
        }
    }
}

TEST(VideoPacketiserTest, RefusesALengthBeyondTheBuffer) {
    auto frame = MakeFrame(0, false, 0);
    frame->length = EncodedFrame::kCapacityBytes + 1;
    EXPECT_TRUE(VideoPacketiser::Split(*frame).empty());
}

// A stream of pieces as they would reach the reassembler, with the frame
// each came from.
struct StreamPiece {
    std::vector<uint8_t> payload;
    uint8_t payloadType;
    bool marker;
    uint32_t sequence;
    uint32_t ssrc = 5;
    int frameIndex;
};

struct StreamFrame {
    std::size_t length;
    bool idr;
};

std::vector<StreamPiece> Stream(const std::vector<StreamFrame>& frames,
                                std::vector<std::unique_ptr<EncodedFrame>>& sent) {
    std::vector<StreamPiece> stream;
    uint32_t sequence = 1000;
    for (std::size_t f = 0; f < frames.size(); ++f) {
        sent.push_back(MakeFrame(frames[f].length, frames[f].idr, static_cast<uint8_t>(f * 31)));
        for (const VideoPiece& piece : VideoPacketiser::Split(*sent.back())) {
            stream.push_back({{piece.payload.begin(), piece.payload.end()},
                              piece.payloadType,
                              piece.marker,
                              sequence++,
                              5,
                              static_cast<int>(f)});
        }
    }
    return stream;
}

struct Outcome {
    std::vector<int> deliveredFrames;
    uint64_t skipped = 0;
    uint64_t oversized = 0;
};

Outcome Feed(const std::vector<StreamPiece>& stream,
             const std::vector<std::unique_ptr<EncodedFrame>>& sent) {
    VideoFrameReassembler reassembler;
    Outcome outcome;
    for (const StreamPiece& piece : stream) {
        const auto result = reassembler.AddPiece(
            {piece.ssrc, piece.sequence, piece.payloadType, piece.marker, piece.payload});
        if (result != VideoFrameReassembler::Result::kFrameComplete) continue;
        const EncodedFrame& joined = reassembler.Frame();
        const EncodedFrame& original = *sent[static_cast<std::size_t>(piece.frameIndex)];
        EXPECT_EQ(joined.length, original.length);
        EXPECT_TRUE(std::equal(joined.data.begin(), joined.data.begin() + joined.length,
                               original.data.begin()));
        outcome.deliveredFrames.push_back(piece.frameIndex);
    }
    outcome.skipped = reassembler.FramesSkipped();
    outcome.oversized = reassembler.FramesOversized();
    return outcome;
}

TEST(VideoFrameReassemblerTest, JoinsFramesAndSkipsDamagedOnesUntilAKeyFrame) {
    struct Case {
        const char* name;
        std::vector<StreamFrame> frames;
        // Applied to the piece stream before feeding it.
        std::function<void(std::vector<StreamPiece>&)> damage;
        std::vector<int> delivered;
        uint64_t skipped;
        uint64_t oversized;
    };
    const std::vector<StreamFrame> idrThenThree = {
        {3000, true}, {3000, false}, {1000, false}, {2000, true}, {500, false}};
    auto erasePiece = [](std::size_t index) {
        return [index](std::vector<StreamPiece>& s) {
            s.erase(s.begin() + static_cast<std::ptrdiff_t>(index));
        };
    };
    const std::vector<Case> cases = {
        {"every frame arrives", idrThenThree, nullptr, {0, 1, 2, 3, 4}, 0, 0},
        {"frames back to back, one piece each", {{10, true}, {20, false}}, nullptr, {0, 1}, 0, 0},
        {"empty frame", {{0, true}, {5, false}}, nullptr, {0, 1}, 0, 0},
        // Frame 1 is pieces 3..5: lose its middle piece.
        {"lost middle piece", idrThenThree, erasePiece(4), {0, 3, 4}, 2, 0},
        // Frame 0's last piece (index 2) is lost: frames 0 to 2 are not
        // handed on. The count is of frame ends seen, and frame 0's was lost.
        {"lost marker piece", idrThenThree, erasePiece(2), {3, 4}, 2, 0},
        // The first piece of frame 3 (key frame, index 7) is lost.
        {"lost start of the key frame", idrThenThree, erasePiece(7), {0, 1, 2}, 2, 0},
        {"stale duplicate is ignored",
         idrThenThree,
         [](std::vector<StreamPiece>& s) { s.insert(s.begin() + 2, s[1]); },
         {0, 1, 2, 3, 4},
         0,
         0},
        {"source changes in mid-frame",
         idrThenThree,
         [](std::vector<StreamPiece>& s) {
             for (std::size_t i = 4; i < s.size(); ++i) s[i].ssrc = 6;
         },
         {0, 3, 4},
         2,
         0},
        {"frame larger than the buffer",
         {{EncodedFrame::kCapacityBytes, true}, {700, true}},
         [](std::vector<StreamPiece>& s) {
             // One more piece before the marker pushes frame 0 past the buffer.
             StreamPiece extra = s.front();
             s.insert(s.begin() + 1, extra);
             for (std::size_t i = 0; i < s.size(); ++i)
                 s[i].sequence = 1000 + static_cast<uint32_t>(i);
         },
         {1},
         1,
         1},
    };
    for (const Case& c : cases) {
        std::vector<std::unique_ptr<EncodedFrame>> sent;
        std::vector<StreamPiece> stream = Stream(c.frames, sent);
        if (c.damage) c.damage(stream);
        const Outcome outcome = Feed(stream, sent);
        EXPECT_EQ(outcome.deliveredFrames, c.delivered) << c.name;
        EXPECT_EQ(outcome.skipped, c.skipped) << c.name;
        EXPECT_EQ(outcome.oversized, c.oversized) << c.name;
    }
}

TEST(VideoFrameReassemblerTest, FrameOfExactlyTheBufferSizeFits) {
    std::vector<std::unique_ptr<EncodedFrame>> sent;
    const Outcome outcome = Feed(Stream({{EncodedFrame::kCapacityBytes, true}}, sent), sent);
    EXPECT_EQ(outcome.deliveredFrames, (std::vector<int>{0}));
}

}  // namespace
