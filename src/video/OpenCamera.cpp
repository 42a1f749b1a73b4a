#include "video/OpenCamera.h"

#include <string>

#include "video/LibavCamera.h"
#include "video/LibavVideoInput.h"
#include "video/SteadyFramePacer.h"
#include "video/SyntheticCamera.h"

namespace {

CameraOpenStatus StatusOf(LibavVideoInput::OpenStatus status) {
    switch (status) {
        case LibavVideoInput::OpenStatus::kOpened:
            return CameraOpenStatus::kOpened;
        case LibavVideoInput::OpenStatus::kStreamUnreadable:
            return CameraOpenStatus::kStreamUnreadable;
        case LibavVideoInput::OpenStatus::kFormatUnsupported:
            return CameraOpenStatus::kFormatUnsupported;
        case LibavVideoInput::OpenStatus::kDeviceUnavailable:
            break;
    }
    return CameraOpenStatus::kDeviceUnavailable;
}

CameraOpenResult OpenV4l2Camera(const std::string& path, int width, int height) {
    const std::string size = std::to_string(width) + "x" + std::to_string(height);
    const LibavVideoInput::Options attempts[] = {
        {{"input_format", "mjpeg"}, {"video_size", size}, {"framerate", "30"}},
        {{"video_size", size}, {"framerate", "30"}},
        {},
    };
    auto input = std::make_unique<LibavVideoInput>();
    LibavVideoInput::OpenStatus status = LibavVideoInput::OpenStatus::kDeviceUnavailable;
    for (size_t i = 0; i < std::size(attempts); ++i) {
        status = input->Open("v4l2", path, attempts[i]);
        if (status == LibavVideoInput::OpenStatus::kDeviceUnavailable) continue;
        if (status != LibavVideoInput::OpenStatus::kOpened) return {StatusOf(status), nullptr};
        const bool requestRefused = i + 1 == std::size(attempts);
        return {requestRefused ? CameraOpenStatus::kOpenedWithoutFormatRequest
                               : CameraOpenStatus::kOpened,
                std::make_unique<LibavCamera>(std::move(input), width, height)};
    }
    return {StatusOf(status), nullptr};
}

}  // namespace

CameraOpenResult OpenCamera(const VideoDevice& device, int width, int height) {
    if (device.synthetic()) {
        return {
            CameraOpenStatus::kOpened,
            std::make_unique<SyntheticCamera>(width, height, std::make_unique<SteadyFramePacer>())};
    }
    return OpenV4l2Camera(device.path, width, height);
}
