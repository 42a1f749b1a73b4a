#include <gtest/gtest.h>

#include <QComboBox>
#include <QLabel>

#include "call/MediaState.h"
#include "support/RecordingMessageBoxes.h"
#include "video/CameraSwitchDialog.h"
#include "video/CameraSwitcher.h"
#include "video/CaptureGraph.h"
#include "video/ImageSettingsDialog.h"

namespace {

TEST(CameraSwitchDialog, ListsTheCamerasAndSwitchesOnSelection) {
    const std::vector<VideoDevice> devices{{"USB Camera", "/dev/video0"}, {"测试图像", ""}};
    std::vector<int> opened;
    CaptureGraph::Sources sources{[&] { return devices; },
                                  [&](const VideoDevice&, int, int) -> CameraOpenResult {
                                      opened.push_back(static_cast<int>(opened.size()));
                                      return {CameraOpenStatus::kDeviceUnavailable, nullptr};
                                  }};
    RecordingMessageBoxes boxes;
    MediaState state;
    CaptureGraph graph(
        176, 144, [](const uint8_t*, size_t) {}, boxes, "title", sources);
    int stored = -1;
    CameraSwitcher switcher(graph, state, boxes, [&](int index) { stored = index; });

    CameraSwitchDialog dialog(switcher, devices, 1);
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("切换摄像机"));
    auto* list = dialog.findChild<QComboBox*>(QStringLiteral("deviceList"));
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_EQ(list->itemText(0), QStringLiteral("USB Camera"));
    EXPECT_EQ(list->currentIndex(), 1);
    EXPECT_TRUE(opened.empty());  // opening the dialog switches nothing

    list->setCurrentIndex(0);
    EXPECT_EQ(stored, 0);
    EXPECT_EQ(opened.size(), 1u);
}

TEST(ImageSettingsDialog, TestCameraHasNoControlsAndSaysSo) {
    ImageSettingsDialog dialog(VideoDevice{"测试图像", ""});
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("图像调节"));
    bool said = false;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        said = said ||
               label->text() == QString::fromUtf8(ImageSettingsDialog::kNoControlsOnTestCamera);
    }
    EXPECT_TRUE(said);
}

}  // namespace
