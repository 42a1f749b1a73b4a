#include "audio/BuiltinCues.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr unsigned kCueRateHz = 8000;

void AppendSample(std::vector<uint8_t>& bytes, double value) {
    const auto sample = static_cast<int16_t>(std::lround(std::clamp(value, -32767.0, 32767.0)));
    const auto bits = static_cast<uint16_t>(sample);
    bytes.push_back(static_cast<uint8_t>(bits & 0xFF));
    bytes.push_back(static_cast<uint8_t>(bits >> 8));
}

// 440 Hz and 480 Hz together, as telephones ring, with short fades so that
// the bursts start and end without a click.
void AppendRingBurst(std::vector<uint8_t>& bytes, double seconds) {
    const int samples = static_cast<int>(seconds * kCueRateHz);
    const int fadeSamples = kCueRateHz / 100;
    for (int i = 0; i < samples; ++i) {
        const double t = static_cast<double>(i) / kCueRateHz;
        const double fade = std::min({1.0, static_cast<double>(i) / fadeSamples,
                                      static_cast<double>(samples - 1 - i) / fadeSamples});
        const double tone =
            std::sin(2 * std::numbers::pi * 440 * t) + std::sin(2 * std::numbers::pi * 480 * t);
        AppendSample(bytes, 7000 * fade * tone);
    }
}

void AppendSilence(std::vector<uint8_t>& bytes, double seconds) {
    bytes.insert(bytes.end(), 2 * static_cast<size_t>(seconds * kCueRateHz), 0);
}

// A burst of noise that dies away quickly; the seed keeps the sound the same
// on every run.
void AppendClick(std::vector<uint8_t>& bytes, double seconds, double level, uint32_t& seed) {
    const int samples = static_cast<int>(seconds * kCueRateHz);
    for (int i = 0; i < samples; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const double noise = static_cast<double>(seed >> 16) / 32768.0 - 1.0;
        AppendSample(bytes, level * noise * std::exp(-8.0 * i / samples));
    }
}

}  // namespace

CueSound MakeRingTone() {
    CueSound ring{{kCueRateHz, 1, 16}, {}};
    AppendRingBurst(ring.bytes, 0.4);
    AppendSilence(ring.bytes, 0.2);
    AppendRingBurst(ring.bytes, 0.4);
    AppendSilence(ring.bytes, 0.4);
    return ring;
}

CueSound MakeShutterClick() {
    CueSound click{{kCueRateHz, 1, 16}, {}};
    uint32_t seed = 12345;
    AppendClick(click.bytes, 0.03, 20000, seed);
    AppendSilence(click.bytes, 0.06);
    AppendClick(click.bytes, 0.05, 14000, seed);
    return click;
}
