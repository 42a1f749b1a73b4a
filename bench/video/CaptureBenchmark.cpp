// Colour conversion paths beside libyuv and libswscale, and the whole
// per-frame pipeline (flip, caption with clock, inset source, conversion),
// in megapixels per second at CIF, 720P and 1080P.
#include <benchmark/benchmark.h>

#include <QGuiApplication>
#include <vector>

#include "app/MessageBoxes.h"
#include "call/MediaCounters.h"
#include "call/MediaState.h"
#include "video/CaptionConfig.h"
#include "video/ConvertRgb32ToYuv420.h"
#include "video/FramePipeline.h"
#include "video/PictureInPicture.h"
#include "video/SyntheticPicture.h"

extern "C" {
#include <libswscale/swscale.h>
}
#ifdef VP_HAVE_LIBYUV
#include <libyuv/convert_from_argb.h>
#endif

namespace {

constexpr int kSizes[][2] = {{352, 288}, {1280, 720}, {1920, 1080}};

struct Frames {
    explicit Frames(const benchmark::State& state)
        : width(kSizes[state.range(0)][0]),
          height(kSizes[state.range(0)][1]),
          bgrx(static_cast<size_t>(width) * height * 4),
          yuv(static_cast<size_t>(width) * height * 3 / 2) {
        DrawSyntheticPicture(width, height, 7, bgrx.data());
    }
    uint8_t* u() { return yuv.data() + width * height; }
    uint8_t* v() { return u() + width * height / 4; }

    int width;
    int height;
    std::vector<uint8_t> bgrx;
    std::vector<uint8_t> yuv;
};

void ReportRate(benchmark::State& state, const Frames& frames) {
    state.counters["MP/s"] = benchmark::Counter(
        static_cast<double>(frames.width) * frames.height * state.iterations() / 1e6,
        benchmark::Counter::kIsRate);
    state.SetLabel(std::to_string(frames.width) + "x" + std::to_string(frames.height));
}

template <void (*Convert)(int, int, const uint8_t*, uint8_t*)>
void BM_Convert(benchmark::State& state) {
    Frames frames(state);
    for (auto _ : state) {
        Convert(frames.width, frames.height, frames.bgrx.data(), frames.yuv.data());
        benchmark::DoNotOptimize(frames.yuv.data());
    }
    ReportRate(state, frames);
}

void BM_ConvertAvx2(benchmark::State& state) {
    if (!CpuSupportsAvx2()) {
        state.SkipWithError("no AVX2");
        return;
    }
    BM_Convert<ConvertRgb32ToYuv420Avx2>(state);
}

#ifdef VP_HAVE_LIBYUV
void BM_LibyuvArgbToI420(benchmark::State& state) {
    Frames frames(state);
    for (auto _ : state) {
        libyuv::ARGBToI420(frames.bgrx.data(), frames.width * 4, frames.yuv.data(), frames.width,
                           frames.u(), frames.width / 2, frames.v(), frames.width / 2, frames.width,
                           frames.height);
        benchmark::DoNotOptimize(frames.yuv.data());
    }
    ReportRate(state, frames);
}
BENCHMARK(BM_LibyuvArgbToI420)->DenseRange(0, 2);
#endif

void BM_SwscaleBgraToYuv420p(benchmark::State& state) {
    Frames frames(state);
    SwsContext* scaler =
        sws_getContext(frames.width, frames.height, AV_PIX_FMT_BGRA, frames.width, frames.height,
                       AV_PIX_FMT_YUV420P, SWS_POINT, nullptr, nullptr, nullptr);
    const uint8_t* source[4] = {frames.bgrx.data(), nullptr, nullptr, nullptr};
    const int sourceStrides[4] = {frames.width * 4, 0, 0, 0};
    uint8_t* planes[4] = {frames.yuv.data(), frames.u(), frames.v(), nullptr};
    const int strides[4] = {frames.width, frames.width / 2, frames.width / 2, 0};
    for (auto _ : state) {
        sws_scale(scaler, source, sourceStrides, 0, frames.height, planes, strides);
        benchmark::DoNotOptimize(frames.yuv.data());
    }
    sws_freeContext(scaler);
    ReportRate(state, frames);
}

class NoMessageBoxes : public MessageBoxes {
public:
    void Inform(const std::string&, const std::string&) override {}
    bool Ask(const std::string&, const std::string&) override { return false; }
};

void BM_WholePipeline(benchmark::State& state) {
    Frames frames(state);
    MediaState mediaState;
    MediaCounters counters;
    CaptionConfig caption;
    CaptionSettings settings;
    settings.timeOn = true;
    caption.Set(settings);
    PictureInPicture pip(frames.width, frames.height);
    NoMessageBoxes boxes;
    FramePipeline::Hooks hooks;
    hooks.timeOfDay = [] { return QTime(9, 5, 7); };
    FramePipeline pipeline(frames.width, frames.height, {mediaState, counters, caption, pip, boxes},
                           std::move(hooks));
    for (auto _ : state) {
        pipeline.ProcessCapturedFrame(frames.bgrx.data(), frames.bgrx.size());
        benchmark::DoNotOptimize(pipeline.encoderInputFrame().data());
    }
    ReportRate(state, frames);
}

}  // namespace

BENCHMARK(BM_Convert<ConvertRgb32ToYuv420Plain>)->Name("BM_ConvertPlain")->DenseRange(0, 2);
BENCHMARK(BM_Convert<ConvertRgb32ToYuv420Sse2>)->Name("BM_ConvertSse2")->DenseRange(0, 2);
BENCHMARK(BM_ConvertAvx2)->DenseRange(0, 2);
BENCHMARK(BM_SwscaleBgraToYuv420p)->DenseRange(0, 2);
BENCHMARK(BM_WholePipeline)->DenseRange(0, 2);

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
