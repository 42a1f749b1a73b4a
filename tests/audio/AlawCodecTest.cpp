#include "audio/AlawCodec.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

struct CodecCase {
    int16_t sample;
    uint8_t code;
    int16_t decoded;
};

TEST(AlawCodecTest, EdgeCasesCodeAndDecodeAsG711) {
    const CodecCase cases[] = {
        {0, 0xD5, 8},           {1, 0xD5, 8},           {15, 0xD5, 8},        {-1, 0x55, -8},
        {16, 0xD4, 24},         {255, 0xDA, 248},       {256, 0xC5, 264},     {-256, 0x45, -264},
        {1000, 0xFA, 1008},     {-1000, 0x7A, -1008},   {32767, 0xAA, 32256}, {32635, 0xAA, 32256},
        {-32767, 0x2A, -32256}, {-32768, 0x2A, -32256},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sample);
        EXPECT_EQ(LinearToAlaw(c.sample), c.code);
        EXPECT_EQ(LinearToAlawByRule(c.sample), c.code);
        EXPECT_EQ(AlawToLinear(c.code), c.decoded);
    }
    for (int16_t sample = 1; sample <= 15; ++sample) EXPECT_EQ(LinearToAlaw(sample), 0xD5);
}

TEST(AlawCodecTest, FastPathEqualsRulesForEverySampleAndCode) {
    for (int sample = -32768; sample <= 32767; ++sample) {
        const auto s = static_cast<int16_t>(sample);
        ASSERT_EQ(LinearToAlaw(s), LinearToAlawByRule(s)) << sample;
    }
    for (int code = 0; code < 256; ++code) {
        const auto c = static_cast<uint8_t>(code);
        ASSERT_EQ(AlawToLinear(c), AlawToLinearByRule(c)) << code;
        // Every code survives a round trip through its own midpoint.
        ASSERT_EQ(LinearToAlaw(AlawToLinear(c)), c) << code;
    }
}

TEST(AlawCodecTest, BlocksKeepSampleOrderAndSizes) {
    std::vector<uint8_t> pcm(1024);
    for (size_t i = 0; i < 512; ++i) {
        const auto sample = static_cast<uint16_t>(static_cast<int16_t>(i * 64 - 16384));
        pcm[2 * i] = static_cast<uint8_t>(sample & 0xFF);
        pcm[2 * i + 1] = static_cast<uint8_t>(sample >> 8);
    }
    std::array<uint8_t, 512> codes{};
    ASSERT_EQ(EncodeAlawBlock(codes.data(), pcm.data(), pcm.size()), 512u);
    std::vector<uint8_t> decoded(1024);
    ASSERT_EQ(DecodeAlawBlock(decoded.data(), codes.data(), codes.size()), 1024u);
    for (size_t i = 0; i < 512; ++i) {
        const auto sample = static_cast<int16_t>(i * 64 - 16384);
        EXPECT_EQ(codes[i], LinearToAlaw(sample)) << i;
        const auto back = static_cast<int16_t>(decoded[2 * i] | (decoded[2 * i + 1] << 8));
        EXPECT_EQ(back, AlawToLinear(codes[i])) << i;
    }
}

TEST(AlawCodecTest, DigitalSilenceBlockComesBackAsPlusEight) {
    const std::vector<uint8_t> silence(1024, 0);
    std::array<uint8_t, 512> codes{};
    EncodeAlawBlock(codes.data(), silence.data(), silence.size());
    for (const uint8_t code : codes) ASSERT_EQ(code, 0xD5);
    std::vector<uint8_t> decoded(1024);
    DecodeAlawBlock(decoded.data(), codes.data(), codes.size());
    for (size_t i = 0; i < 512; ++i) {
        ASSERT_EQ(decoded[2 * i], 0x08);
        ASSERT_EQ(decoded[2 * i + 1], 0x00);
    }
}

}  // namespace
