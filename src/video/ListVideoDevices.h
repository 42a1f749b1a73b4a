#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "video/VideoDevice.h"

// The name of the built-in test camera, always listed last.
inline constexpr const char* kSyntheticCameraName = "测试图像";

// Tells the card name of a node that can capture video, nothing otherwise.
using CaptureNodeProbe = std::function<std::optional<std::string>(const std::string& path)>;

// The cameras in /dev/video order (video2 before video10), only nodes that
// can capture, then the test camera. The index into this list is the
// device index of the settings.
std::vector<VideoDevice> ListVideoDevices(const std::string& devRoot = "/dev");
std::vector<VideoDevice> ListVideoDevices(const std::string& devRoot,
                                          const CaptureNodeProbe& probe);
