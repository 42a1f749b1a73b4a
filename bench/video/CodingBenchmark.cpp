// Frames per second of the H.264 coders on one thread, and the YUV -> RGB
// conversion of the remote picture beside libyuv and libswscale.
#include <benchmark/benchmark.h>
#include <libyuv.h>

#include <memory>
#include <vector>

#include "app/MessageBoxes.h"
#include "video/CodingTestPictures.h"
#include "video/ConvertYuv420ToRgb24.h"
#include "video/VideoDecoder.h"
#include "video/VideoEncoder.h"

extern "C" {
#include <libswscale/swscale.h>
}

namespace {

constexpr int kSizes[][2] = {{352, 288}, {1280, 720}, {1920, 1080}};
// Five key-frame intervals: the cycle starts again with a key frame.
constexpr int kFramesInCycle = 30;

class SilentBoxes : public MessageBoxes {
public:
    void Inform(const std::string&, const std::string&) override {}
    bool Ask(const std::string&, const std::string&) override { return false; }
};

std::vector<std::vector<uint8_t>> SyntheticCycle(int width, int height) {
    std::vector<std::vector<uint8_t>> frames;
    for (int n = 0; n < kFramesInCycle; ++n) frames.push_back(SyntheticI420(width, height, n));
    return frames;
}

void SetSizeArguments(benchmark::internal::Benchmark* b) {
    for (const auto& size : kSizes) b->Args({size[0], size[1]});
}

void BM_Encode(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    const auto frames = SyntheticCycle(width, height);
    MediaCounters counters;
    VideoEncoder encoder(counters);
    if (!encoder.Open(width, height)) state.SkipWithError("encoder did not open");
    auto out = std::make_unique<EncodedFrame>();
    std::size_t n = 0;
    for (auto _ : state) {
        encoder.Encode(frames[n++ % frames.size()], *out);
        benchmark::DoNotOptimize(out->length);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Encode)->Apply(SetSizeArguments)->Unit(benchmark::kMillisecond);

void BM_Decode(benchmark::State& state) {
    const int width = static_cast<int>(state.range(0));
    const int height = static_cast<int>(state.range(1));
    MediaCounters counters;
    VideoEncoder encoder(counters);
    encoder.Open(width, height);
    std::vector<std::unique_ptr<EncodedFrame>> encoded;
    for (const auto& frame : SyntheticCycle(width, height)) {
        encoded.push_back(std::make_unique<EncodedFrame>());
        encoder.Encode(frame, *encoded.back());
    }
    SilentBoxes boxes;
    VideoDecoder decoder(boxes, counters);
    if (!decoder.Open(width, height)) state.SkipWithError("decoder did not open");
    std::size_t n = 0;
    for (auto _ : state) {
        benchmark::DoNotOptimize(decoder.Decode(*encoded[n++ % encoded.size()]));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_Decode)->Apply(SetSizeArguments)->Unit(benchmark::kMillisecond);

struct ConversionFixture {
    int width;
    int height;
    std::vector<uint8_t> i420;
    std::vector<uint8_t> rgb;

    explicit ConversionFixture(const benchmark::State& state)
        : width(static_cast<int>(state.range(0))),
          height(static_cast<int>(state.range(1))),
          i420(SyntheticI420(width, height, 7)),
          rgb(static_cast<std::size_t>(width) * height * 3) {}
    const uint8_t* Y() const { return i420.data(); }
    const uint8_t* U() const { return Y() + static_cast<std::size_t>(width) * height; }
    const uint8_t* V() const { return U() + static_cast<std::size_t>(width) * height / 4; }
};

template <bool (*Convert)(const uint8_t*, const uint8_t*, const uint8_t*, uint8_t*, int, int)>
void BM_ConvertVector(benchmark::State& state) {
    ConversionFixture f(state);
    if (!Convert(f.Y(), f.U(), f.V(), f.rgb.data(), f.width, f.height)) {
        state.SkipWithError("not supported by this processor");
    }
    for (auto _ : state) {
        Convert(f.Y(), f.U(), f.V(), f.rgb.data(), f.width, f.height);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertVector<ConvertYuv420ToRgb24Sse2>)
    ->Name("BM_ConvertSse2")
    ->Apply(SetSizeArguments);
BENCHMARK(BM_ConvertVector<ConvertYuv420ToRgb24Avx2>)
    ->Name("BM_ConvertAvx2")
    ->Apply(SetSizeArguments);

void BM_ConvertPlain(benchmark::State& state) {
    ConversionFixture f(state);
    for (auto _ : state) {
        ConvertYuv420ToRgb24Plain(f.Y(), f.U(), f.V(), f.rgb.data(), f.width, f.height);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertPlain)->Apply(SetSizeArguments);

// libyuv's "RGB24" is B, G, R in memory; a negative height writes bottom-up.
void BM_ConvertLibyuv(benchmark::State& state) {
    ConversionFixture f(state);
    for (auto _ : state) {
        libyuv::I420ToRGB24(f.Y(), f.width, f.U(), f.width / 2, f.V(), f.width / 2, f.rgb.data(),
                            f.width * 3, f.width, -f.height);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertLibyuv)->Apply(SetSizeArguments);

// libswscale to BGR24, bottom-up through a negative destination stride.
void BM_ConvertSwscale(benchmark::State& state) {
    ConversionFixture f(state);
    SwsContext* context = sws_getContext(f.width, f.height, AV_PIX_FMT_YUV420P, f.width, f.height,
                                         AV_PIX_FMT_BGR24, SWS_POINT, nullptr, nullptr, nullptr);
    const uint8_t* const source[3] = {f.Y(), f.U(), f.V()};
    const int sourceStrides[3] = {f.width, f.width / 2, f.width / 2};
    uint8_t* const destination[1] = {f.rgb.data() + (f.height - 1) * f.width * 3};
    const int destinationStrides[1] = {-f.width * 3};
    for (auto _ : state) {
        sws_scale(context, source, sourceStrides, 0, f.height, destination, destinationStrides);
        benchmark::ClobberMemory();
    }
    sws_freeContext(context);
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_ConvertSwscale)->Apply(SetSizeArguments);

}  // namespace

BENCHMARK_MAIN();
