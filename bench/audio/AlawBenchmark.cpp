#include <benchmark/benchmark.h>

#include <array>
#include <cmath>
#include <cstring>

#include "LibavAlawCoder.h"
#include "audio/AlawCodec.h"

namespace {

constexpr size_t kSamples = 512;

// Speech-like input: a tone with a slow swell, so every segment is used.
std::array<int16_t, kSamples> MakeSamples() {
    std::array<int16_t, kSamples> samples{};
    for (size_t i = 0; i < kSamples; ++i) {
        const double level = 30000.0 * i / kSamples;
        samples[i] = static_cast<int16_t>(level * std::sin(0.3 * static_cast<double>(i)));
    }
    return samples;
}

std::array<uint8_t, kSamples * 2> AsBytes(const std::array<int16_t, kSamples>& samples) {
    std::array<uint8_t, kSamples * 2> bytes{};
    std::memcpy(bytes.data(), samples.data(), bytes.size());  // x86-64 is little-endian
    return bytes;
}

void BM_EncodeAlawBlock(benchmark::State& state) {
    const auto pcm = AsBytes(MakeSamples());
    std::array<uint8_t, kSamples> codes{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(EncodeAlawBlock(codes.data(), pcm.data(), pcm.size()));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kSamples));
}

void BM_DecodeAlawBlock(benchmark::State& state) {
    const auto pcm = AsBytes(MakeSamples());
    std::array<uint8_t, kSamples> codes{};
    EncodeAlawBlock(codes.data(), pcm.data(), pcm.size());
    std::array<uint8_t, kSamples * 2> decoded{};
    for (auto _ : state) {
        benchmark::DoNotOptimize(DecodeAlawBlock(decoded.data(), codes.data(), codes.size()));
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kSamples));
}

// The bit-by-bit rules, to show what the tables buy.
void BM_EncodeByRule(benchmark::State& state) {
    const auto samples = MakeSamples();
    std::array<uint8_t, kSamples> codes{};
    for (auto _ : state) {
        for (size_t i = 0; i < kSamples; ++i) codes[i] = LinearToAlawByRule(samples[i]);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kSamples));
}

void BM_LibavPcmAlawEncode(benchmark::State& state) {
    LibavAlawCoder coder;
    if (!coder.IsReady()) return state.SkipWithError("pcm_alaw not available");
    const auto samples = MakeSamples();
    std::array<uint8_t, kSamples> codes{};
    for (auto _ : state) benchmark::DoNotOptimize(coder.Encode(samples.data(), codes.data()));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kSamples));
}

void BM_LibavPcmAlawDecode(benchmark::State& state) {
    LibavAlawCoder coder;
    if (!coder.IsReady()) return state.SkipWithError("pcm_alaw not available");
    const auto samples = MakeSamples();
    std::array<uint8_t, kSamples> codes{};
    coder.Encode(samples.data(), codes.data());
    std::array<int16_t, kSamples> decoded{};
    for (auto _ : state) benchmark::DoNotOptimize(coder.Decode(codes.data(), decoded.data()));
    state.SetItemsProcessed(static_cast<int64_t>(state.iterations() * kSamples));
}

BENCHMARK(BM_EncodeAlawBlock);
BENCHMARK(BM_EncodeByRule);
BENCHMARK(BM_LibavPcmAlawEncode);
BENCHMARK(BM_DecodeAlawBlock);
BENCHMARK(BM_LibavPcmAlawDecode);

}  // namespace

BENCHMARK_MAIN();
