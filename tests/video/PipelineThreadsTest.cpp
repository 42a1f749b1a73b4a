// The capture thread runs the pipeline while the window's thread changes the
// caption and the inset and a receive thread draws the inset: under
// ThreadSanitizer this shows the hand-overs are race free.
#include <gtest/gtest.h>

#include <atomic>
#include <thread>
#include <vector>

#include "FakeFramePacer.h"
#include "call/MediaCounters.h"
#include "call/MediaState.h"
#include "support/RecordingMessageBoxes.h"
#include "video/CaptionConfig.h"
#include "video/CaptureGraph.h"
#include "video/FramePipeline.h"
#include "video/PictureInPicture.h"
#include "video/SyntheticCamera.h"

namespace {

constexpr int kWidth = 176;
constexpr int kHeight = 144;
constexpr uint64_t kFrames = 60;

TEST(PipelineThreads, CaptionAndInsetChangeWhileFramesFlow) {
    MediaState state;
    MediaCounters counters;
    CaptionConfig caption;
    PictureInPicture pip(kWidth, kHeight);
    RecordingMessageBoxes boxes;
    std::atomic<int> encoded{0};
    FramePipeline::Hooks hooks;
    hooks.encodeAndSend = [&](const uint8_t*, size_t) { encoded.fetch_add(1); };
    hooks.timeOfDay = [] { return QTime(9, 5, 7); };
    hooks.openScreen = [] { return std::unique_ptr<ScreenSource>(); };
    FramePipeline pipeline(kWidth, kHeight, {state, counters, caption, pip, boxes},
                           std::move(hooks));
    CaptureGraph::Sources sources{
        [] {
            return std::vector<VideoDevice>{{"测试图像", ""}};
        },
        [](const VideoDevice&, int width, int height) -> CameraOpenResult {
            return {CameraOpenStatus::kOpened,
                    std::make_unique<SyntheticCamera>(width, height,
                                                      std::make_unique<FakeFramePacer>())};
        }};
    CaptureGraph graph(
        kWidth, kHeight,
        [&](const uint8_t* frame, size_t length) { pipeline.ProcessCapturedFrame(frame, length); },
        boxes, "title", sources);

    state.sendGate = 1;
    ASSERT_EQ(graph.Start(0), CaptureStartResult::kRunning);
    std::thread receiver([&] {
        std::vector<uint8_t> remote(kWidth * kHeight * 3);
        while (counters.framesCaptured.load() < kFrames)
            pip.DrawInset(remote.data(), kWidth, kHeight);
    });
    for (int i = 0; counters.framesCaptured.load() < kFrames; ++i) {
        CaptionSettings settings;
        settings.text = QString::number(i);
        settings.timeOn = (i % 2) == 0;
        settings.captionPositionCode = (i % 2) ? 32 : 42;
        caption.Set(settings);
        pip.SetPlacement({i % 50, i % 40, 60, 49});
        state.desktopPlusVideo = static_cast<uint8_t>(i % 2);
        std::this_thread::yield();
    }
    receiver.join();
    graph.Stop();
    EXPECT_GE(encoded.load(), static_cast<int>(kFrames));
}

}  // namespace
