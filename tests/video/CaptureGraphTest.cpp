#include "video/CaptureGraph.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>

#include "FakeFramePacer.h"
#include "call/MediaState.h"
#include "support/RecordingMessageBoxes.h"
#include "video/CameraSwitcher.h"
#include "video/ListVideoDevices.h"
#include "video/SyntheticCamera.h"

namespace {

using namespace std::chrono_literals;

constexpr int kWidth = 176;
constexpr int kHeight = 144;

// Counts delivered frames and lets the test wait for a number of them.
class FrameCounter {
public:
    void Deliver(const uint8_t* frame, size_t length) {
        std::lock_guard lock(mutex_);
        ++frames_;
        lastLength_ = length;
        nonNull_ = nonNull_ && frame != nullptr;
        arrived_.notify_all();
    }
    bool WaitFor(int frames) {
        std::unique_lock lock(mutex_);
        return arrived_.wait_for(lock, 20s, [&] { return frames_ >= frames; });
    }
    int frames() const {
        std::lock_guard lock(mutex_);
        return frames_;
    }
    size_t lastLength() const {
        std::lock_guard lock(mutex_);
        return lastLength_;
    }

private:
    mutable std::mutex mutex_;
    std::condition_variable arrived_;
    int frames_ = 0;
    size_t lastLength_ = 0;
    bool nonNull_ = true;
};

class CaptureGraphTest : public ::testing::Test {
protected:
    // Device 0 is a camera that opens with `cameraStatus`; device 1 is the
    // test camera on a fake clock.
    CaptureGraph::Sources FakeSources() {
        return {
            [] {
                return std::vector<VideoDevice>{{"USB Camera", "/dev/video0"}, {"测试图像", ""}};
            },
            [this](const VideoDevice& device, int width, int height) -> CameraOpenResult {
                if (device.synthetic() || cameraStatus_ == CameraOpenStatus::kOpened ||
                    cameraStatus_ == CameraOpenStatus::kOpenedWithoutFormatRequest) {
                    return {device.synthetic() ? CameraOpenStatus::kOpened : cameraStatus_,
                            std::make_unique<SyntheticCamera>(width, height,
                                                              std::make_unique<FakeFramePacer>())};
                }
                return {cameraStatus_, nullptr};
            }};
    }

    CaptureGraph MakeGraph() {
        return CaptureGraph(
            kWidth, kHeight,
            [this](const uint8_t* frame, size_t length) { counter_.Deliver(frame, length); },
            boxes_, "视频电话终端", FakeSources());
    }

    CameraOpenStatus cameraStatus_ = CameraOpenStatus::kOpened;
    FrameCounter counter_;
    RecordingMessageBoxes boxes_;
};

TEST_F(CaptureGraphTest, DeliversWholeFramesUntilStopped) {
    CaptureGraph graph = MakeGraph();
    ASSERT_EQ(graph.Start(1), CaptureStartResult::kRunning);
    EXPECT_TRUE(graph.running());
    ASSERT_TRUE(counter_.WaitFor(10));
    graph.Stop();
    const int afterStop = counter_.frames();
    EXPECT_FALSE(graph.running());
    EXPECT_EQ(counter_.lastLength(), static_cast<size_t>(kWidth * kHeight * 4));
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(counter_.frames(), afterStop);
    graph.Stop();  // a second stop does nothing
}

TEST_F(CaptureGraphTest, RealTestCameraRunsOnTheSystemSources) {
    CaptureGraph graph(
        kWidth, kHeight,
        [this](const uint8_t* frame, size_t length) { counter_.Deliver(frame, length); }, boxes_,
        "视频电话终端");
    const int synthetic = static_cast<int>(ListVideoDevices().size()) - 1;
    ASSERT_EQ(graph.Start(synthetic), CaptureStartResult::kRunning);
    EXPECT_TRUE(counter_.WaitFor(3));
    ASSERT_TRUE(graph.currentDevice().has_value());
    EXPECT_EQ(graph.currentDevice()->name, "测试图像");
}

TEST_F(CaptureGraphTest, StartOutcomesAndWhatTheUserIsTold) {
    struct Case {
        CameraOpenStatus status;
        CaptureStartResult result;
        bool formatOk;
        const char* message;  // empty: nothing shown
    };
    const Case cases[] = {
        {CameraOpenStatus::kOpened, CaptureStartResult::kRunning, true, ""},
        {CameraOpenStatus::kOpenedWithoutFormatRequest, CaptureStartResult::kRunning, true,
         "load config filter failed!"},
        {CameraOpenStatus::kDeviceUnavailable, CaptureStartResult::kDeviceMissing, true, ""},
        {CameraOpenStatus::kStreamUnreadable, CaptureStartResult::kMediaTypeUnreadable, true,
         "Failt to read the connected media type"},
        {CameraOpenStatus::kFormatUnsupported, CaptureStartResult::kFormatUnsupported, false, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        RecordingMessageBoxes boxes;
        cameraStatus_ = c.status;
        CaptureGraph graph(
            kWidth, kHeight, [](const uint8_t*, size_t) {}, boxes, "视频电话终端", FakeSources());
        EXPECT_EQ(graph.Start(0), c.result);
        EXPECT_EQ(graph.captureFormatOk(), c.formatOk);
        EXPECT_EQ(graph.running(), c.result == CaptureStartResult::kRunning);
        const auto shown = boxes.Boxes();
        if (*c.message == '\0') {
            EXPECT_TRUE(shown.empty());
        } else {
            ASSERT_EQ(shown.size(), 1u);
            EXPECT_EQ(shown[0].text, c.message);
            EXPECT_EQ(shown[0].caption, "视频电话终端");
        }
    }
}

TEST_F(CaptureGraphTest, IndexOutsideTheListStartsNothing) {
    CaptureGraph graph = MakeGraph();
    EXPECT_EQ(graph.Start(2), CaptureStartResult::kDeviceMissing);
    EXPECT_EQ(graph.Start(-1), CaptureStartResult::kDeviceMissing);
    EXPECT_FALSE(graph.running());
}

TEST_F(CaptureGraphTest, CameraSwitchRestoresTheSendGateAndReportsAnUnusableFormat) {
    struct Case {
        int32_t gateBefore;
        CameraOpenStatus status;
        bool told;
    };
    const Case cases[] = {{1, CameraOpenStatus::kOpened, false},
                          {0, CameraOpenStatus::kOpened, false},
                          {1, CameraOpenStatus::kFormatUnsupported, true}};
    for (const Case& c : cases) {
        RecordingMessageBoxes boxes;
        MediaState state;
        int stored = -1;
        cameraStatus_ = c.status;
        CaptureGraph graph(
            kWidth, kHeight, [](const uint8_t*, size_t) {}, boxes, "视频电话终端", FakeSources());
        ASSERT_EQ(graph.Start(1), CaptureStartResult::kRunning);
        CameraSwitcher switcher(graph, state, boxes, [&](int index) { stored = index; });
        state.sendGate = c.gateBefore;
        switcher.Switch(0);
        EXPECT_EQ(stored, 0);
        EXPECT_EQ(state.sendGate.load(), c.gateBefore);
        EXPECT_EQ(graph.running(), !c.told);
        ASSERT_EQ(boxes.Boxes().size(), c.told ? 1u : 0u);
        if (c.told) {
            EXPECT_EQ(boxes.Boxes()[0].text, "您的摄像设备不支持该格式！");
            EXPECT_EQ(boxes.Boxes()[0].caption, "提示");
        }
    }
}

}  // namespace
