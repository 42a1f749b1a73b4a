#include "audio/SpeechBlocks.h"

#include <gtest/gtest.h>

#include <functional>

#include "audio/AlawCodec.h"
#include "audio/FakeBlockSink.h"
#include "audio/SilenceGate.h"

namespace {

int16_t SampleAt(const PcmBlock& block, size_t i) {
    return static_cast<int16_t>(block[2 * i] | (block[2 * i + 1] << 8));
}

CodedBlock Filled(uint8_t code) {
    CodedBlock block;
    block.fill(code);
    return block;
}

// plusEight samples of +8 count two bytes each, one sample of 24 counts one
// (its high byte is 0), and -8 counts none.
CodedBlock GateBlock(int plusEight, int twentyFour) {
    CodedBlock block = Filled(LinearToAlaw(-8));
    for (int i = 0; i < plusEight; ++i) block[i] = LinearToAlaw(8);
    for (int i = 0; i < twentyFour; ++i) block[plusEight + i] = LinearToAlaw(24);
    return block;
}

struct GateCase {
    const char* name;
    CodedBlock received;
    int silenceBytes;
    bool played;
};

TEST(SpeechBlocksTest, SilenceGateCountsBytesAndPlaysUpTo450) {
    const GateCase cases[] = {
        {"count 450", GateBlock(225, 0), 450, true},
        {"count 451", GateBlock(225, 1), 451, false},
        {"digital silence", Filled(0xD5), 1024, false},
        {"all -8", Filled(0x55), 0, true},
        {"speech at 1008", Filled(LinearToAlaw(1000)), 0, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SpeechBlocks blocks;
        FakeBlockSink playback;
        blocks.PlayReceivedAudio(c.received, playback);
        const PcmBlock remote = blocks.RemotePcm();
        EXPECT_EQ(CountSilenceBytes(remote), c.silenceBytes);
        ASSERT_EQ(playback.played.size(), c.played ? 1u : 0u);
        if (c.played) {
            EXPECT_EQ(playback.played[0], remote);
        }
    }
}

struct MixCase {
    const char* name;
    bool captured;  // whether a send block was stored before the receive
    uint8_t sendCode;
    uint8_t receivedCode;
    int16_t mixed;
};

TEST(SpeechBlocksTest, MixAddsBothVoicesAndClipsToSixteenBits) {
    const MixCase cases[] = {
        {"nothing captured yet: zero codes are -5504", false, 0, LinearToAlaw(1000), -5504 + 1008},
        {"plain sum", true, LinearToAlaw(1000), LinearToAlaw(-256), 1008 - 264},
        {"loud positive clips", true, 0xAA, 0xAA, 32767},
        {"loud negative clips", true, 0x2A, 0x2A, -32768},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        SpeechBlocks blocks;
        FakeBlockSink playback;
        if (c.captured) blocks.StoreSendBlock(Filled(c.sendCode));
        blocks.PlayReceivedAudio(Filled(c.receivedCode), playback);
        const PcmBlock mixed = blocks.MixedPcm();
        const PcmBlock remote = blocks.RemotePcm();
        for (size_t i = 0; i < kBlockFrames; ++i) {
            ASSERT_EQ(SampleAt(mixed, i), c.mixed) << i;
            ASSERT_EQ(SampleAt(remote, i), AlawToLinear(c.receivedCode)) << i;
        }
    }
}

}  // namespace
