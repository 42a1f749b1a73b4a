#include "video/V4l2Device.h"

#include <fcntl.h>
#include <linux/videodev2.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

int RetryIoctl(int fd, unsigned long request, void* argument) {
    int result;
    do {
        result = ioctl(fd, request, argument);
    } while (result < 0 && errno == EINTR);
    return result;
}

std::string TextOf(const uint8_t* bytes, size_t capacity) {
    return std::string(reinterpret_cast<const char*>(bytes),
                       strnlen(reinterpret_cast<const char*>(bytes), capacity));
}

bool IsSliderControl(const v4l2_queryctrl& query) {
    if (query.flags & V4L2_CTRL_FLAG_DISABLED) return false;
    return query.type == V4L2_CTRL_TYPE_INTEGER || query.type == V4L2_CTRL_TYPE_BOOLEAN ||
           query.type == V4L2_CTRL_TYPE_MENU;
}

}  // namespace

V4l2Device::V4l2Device(const std::string& path)
    : fd_(open(path.c_str(), O_RDWR | O_NONBLOCK | O_CLOEXEC)) {}

V4l2Device::~V4l2Device() {
    if (fd_ >= 0) close(fd_);
}

std::optional<std::string> V4l2Device::CaptureCardName() const {
    v4l2_capability capability{};
    if (fd_ < 0 || RetryIoctl(fd_, VIDIOC_QUERYCAP, &capability) < 0) return std::nullopt;
    const uint32_t caps = (capability.capabilities & V4L2_CAP_DEVICE_CAPS)
                              ? capability.device_caps
                              : capability.capabilities;
    if (!(caps & V4L2_CAP_VIDEO_CAPTURE)) return std::nullopt;
    return TextOf(capability.card, sizeof capability.card);
}

std::vector<V4l2Control> V4l2Device::Controls() const {
    std::vector<V4l2Control> controls;
    if (fd_ < 0) return controls;
    v4l2_queryctrl query{};
    query.id = V4L2_CTRL_FLAG_NEXT_CTRL;
    while (RetryIoctl(fd_, VIDIOC_QUERYCTRL, &query) == 0) {
        if (IsSliderControl(query)) {
            v4l2_control current{};
            current.id = query.id;
            const int32_t value =
                RetryIoctl(fd_, VIDIOC_G_CTRL, &current) == 0 ? current.value : query.default_value;
            controls.push_back({query.id, TextOf(query.name, sizeof query.name), query.minimum,
                                query.maximum, query.step > 0 ? query.step : 1, query.default_value,
                                value});
        }
        query.id |= V4L2_CTRL_FLAG_NEXT_CTRL;
    }
    return controls;
}

bool V4l2Device::SetControl(uint32_t id, int32_t value) const {
    v4l2_control control{};
    control.id = id;
    control.value = value;
    return fd_ >= 0 && RetryIoctl(fd_, VIDIOC_S_CTRL, &control) == 0;
}

std::optional<std::string> V4l2Device::ProbeCaptureCard(const std::string& path) {
    return V4l2Device(path).CaptureCardName();
}
