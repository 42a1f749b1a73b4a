#pragma once

#include <memory>

#include "video/CameraSource.h"
#include "video/VideoDevice.h"

enum class CameraOpenStatus {
    kOpened,
    // Opened, but only in the camera's own format and size: the request for
    // MJPEG or raw pictures at the frame size was refused.
    kOpenedWithoutFormatRequest,
    kDeviceUnavailable,
    kStreamUnreadable,
    kFormatUnsupported,
};

struct CameraOpenResult {
    CameraOpenStatus status = CameraOpenStatus::kDeviceUnavailable;
    std::unique_ptr<CameraSource> camera;
};

// Opens the device for pictures of width x height at 30 frames per second:
// a V4L2 camera asked for MJPEG at that size first, then for its own format
// at that size, then for whatever it gives; the test camera always opens.
CameraOpenResult OpenCamera(const VideoDevice& device, int width, int height);
