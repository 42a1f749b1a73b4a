#include "video/ListVideoDevices.h"

#include <algorithm>
#include <charconv>
#include <filesystem>
#include <system_error>

#include "video/V4l2Device.h"

namespace {

constexpr std::string_view kNodePrefix = "video";

// The number of a "videoN" node name, nothing for any other name.
std::optional<int> NodeNumber(const std::string& fileName) {
    if (fileName.size() <= kNodePrefix.size() || !fileName.starts_with(kNodePrefix)) {
        return std::nullopt;
    }
    const char* first = fileName.data() + kNodePrefix.size();
    const char* last = fileName.data() + fileName.size();
    int number = 0;
    const auto [end, error] = std::from_chars(first, last, number);
    if (error != std::errc() || end != last) return std::nullopt;
    return number;
}

std::vector<std::pair<int, std::string>> VideoNodes(const std::string& devRoot) {
    std::vector<std::pair<int, std::string>> nodes;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(devRoot, error)) {
        if (const auto number = NodeNumber(entry.path().filename().string())) {
            nodes.emplace_back(*number, entry.path().string());
        }
    }
    std::sort(nodes.begin(), nodes.end());
    return nodes;
}

}  // namespace

std::vector<VideoDevice> ListVideoDevices(const std::string& devRoot) {
    return ListVideoDevices(devRoot, V4l2Device::ProbeCaptureCard);
}

std::vector<VideoDevice> ListVideoDevices(const std::string& devRoot,
                                          const CaptureNodeProbe& probe) {
    std::vector<VideoDevice> devices;
    for (const auto& [number, path] : VideoNodes(devRoot)) {
        if (auto card = probe(path)) devices.push_back({std::move(*card), path});
    }
    devices.push_back({kSyntheticCameraName, ""});
    return devices;
}
