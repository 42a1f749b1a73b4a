#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <fstream>
#include <map>

#include "video/ListVideoDevices.h"

namespace {

class DeviceListTest : public ::testing::Test {
protected:
    void Touch(const std::string& name) { std::ofstream(Path(name)) << ""; }
    std::string Path(const std::string& name) const {
        return dir_.path().toStdString() + "/" + name;
    }

    QTemporaryDir dir_;
};

TEST_F(DeviceListTest, OnlyTheTestCameraWithoutVideoNodes) {
    for (const std::string& root : {dir_.path().toStdString(), Path("missing")}) {
        const auto devices = ListVideoDevices(root);
        ASSERT_EQ(devices.size(), 1u);
        EXPECT_EQ(devices[0].name, "测试图像");
        EXPECT_TRUE(devices[0].synthetic());
    }
}

TEST_F(DeviceListTest, NodesThatAreNotCamerasAreSkipped) {
    Touch("video0");  // a plain file answers no V4L2 query
    const auto devices = ListVideoDevices(dir_.path().toStdString());
    ASSERT_EQ(devices.size(), 1u);
    EXPECT_EQ(devices[0].name, "测试图像");
}

TEST_F(DeviceListTest, CapturingNodesInNumericOrderThenTheTestCamera) {
    for (const char* name :
         {"video10", "video2", "video0", "video1", "videoX", "media0", "video"}) {
        Touch(name);
    }
    // video1 is the metadata node of the camera at video0: it cannot capture.
    const std::map<std::string, std::string> cards{
        {Path("video0"), "USB Camera"}, {Path("video2"), "HD Webcam"}, {Path("video10"), "视频卡"}};
    const auto devices = ListVideoDevices(
        dir_.path().toStdString(), [&](const std::string& path) -> std::optional<std::string> {
            const auto card = cards.find(path);
            if (card == cards.end()) return std::nullopt;
            return card->second;
        });
    ASSERT_EQ(devices.size(), 4u);
    EXPECT_EQ(devices[0].name, "USB Camera");
    EXPECT_EQ(devices[0].path, Path("video0"));
    EXPECT_EQ(devices[1].name, "HD Webcam");
    EXPECT_EQ(devices[2].name, "视频卡");
    EXPECT_EQ(devices[2].path, Path("video10"));
    EXPECT_EQ(devices[3].name, "测试图像");
}

}  // namespace
