#include "audio/AlawCodec.h"

#include <array>

namespace {

constexpr int kClipMagnitude = 32635;
constexpr uint8_t kToggleMask = 0xD5;

constexpr uint8_t EncodeRule(int16_t sample) {
    const uint8_t sign = sample < 0 ? 0x80 : 0;
    int32_t magnitude = sample < 0 ? -int32_t{sample} : int32_t{sample};
    if (magnitude > kClipMagnitude) magnitude = kClipMagnitude;
    int exponent = 7;
    for (int32_t bit = 0x4000; exponent > 0 && (magnitude & bit) == 0; bit >>= 1) --exponent;
    const int shift = exponent == 0 ? 4 : exponent + 3;
    const int mantissa = (magnitude >> shift) & 0x0F;
    return static_cast<uint8_t>((sign | (exponent << 4) | mantissa) ^ kToggleMask);
}

constexpr int16_t DecodeRule(uint8_t code) {
    const int value = code ^ kToggleMask;
    const int mantissa = value & 0x0F;
    const int exponent = (value >> 4) & 7;
    int magnitude = mantissa * 16 + 8;
    if (exponent >= 1) magnitude += 256;
    if (exponent >= 2) magnitude <<= exponent - 1;
    return static_cast<int16_t>((value & 0x80) != 0 ? -magnitude : magnitude);
}

// The code of a positive magnitude depends only on magnitude >> 4 (the
// smallest shift of the rules), so 2048 entries cover every clipped magnitude.
constexpr int kMagnitudeSteps = (kClipMagnitude >> 4) + 1;

constexpr std::array<uint8_t, kMagnitudeSteps> BuildEncodeTable() {
    std::array<uint8_t, kMagnitudeSteps> table{};
    for (int step = 0; step < kMagnitudeSteps; ++step) {
        table[step] = EncodeRule(static_cast<int16_t>(step << 4)) ^ kToggleMask;
    }
    return table;
}

constexpr std::array<int16_t, 256> BuildDecodeTable() {
    std::array<int16_t, 256> table{};
    for (int code = 0; code < 256; ++code) table[code] = DecodeRule(static_cast<uint8_t>(code));
    return table;
}

constexpr auto kEncodeTable = BuildEncodeTable();
constexpr auto kDecodeTable = BuildDecodeTable();

}  // namespace

uint8_t LinearToAlawByRule(int16_t sample) { return EncodeRule(sample); }

int16_t AlawToLinearByRule(uint8_t code) { return DecodeRule(code); }

uint8_t LinearToAlaw(int16_t sample) {
    const int32_t wide = sample;
    const int32_t negative = wide >> 31;  // 0 or -1
    int32_t magnitude = (wide ^ negative) - negative;
    magnitude = magnitude > kClipMagnitude ? kClipMagnitude : magnitude;
    const uint8_t sign = static_cast<uint8_t>(negative & 0x80);
    return static_cast<uint8_t>((sign | kEncodeTable[magnitude >> 4]) ^ kToggleMask);
}

int16_t AlawToLinear(uint8_t code) { return kDecodeTable[code]; }

size_t EncodeAlawBlock(uint8_t* codes, const uint8_t* pcm, size_t pcmBytes) {
    const size_t samples = pcmBytes / 2;
    for (size_t i = 0; i < samples; ++i) {
        const auto sample = static_cast<int16_t>(pcm[2 * i] | (pcm[2 * i + 1] << 8));
        codes[i] = LinearToAlaw(sample);
    }
    return samples;
}

size_t DecodeAlawBlock(uint8_t* pcm, const uint8_t* codes, size_t codeCount) {
    for (size_t i = 0; i < codeCount; ++i) {
        const auto sample = static_cast<uint16_t>(AlawToLinear(codes[i]));
        pcm[2 * i] = static_cast<uint8_t>(sample & 0xFF);
        pcm[2 * i + 1] = static_cast<uint8_t>(sample >> 8);
    }
    return 2 * codeCount;
}
