#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// One user control of a V4L2 device (brightness, contrast, ...).
struct V4l2Control {
    uint32_t id = 0;
    std::string name;
    int32_t minimum = 0;
    int32_t maximum = 0;
    int32_t step = 1;
    int32_t defaultValue = 0;
    int32_t value = 0;
};

// A V4L2 device node opened for its ioctls: capabilities and controls. Owns
// the descriptor; failures come back as empty results or false.
class V4l2Device {
public:
    explicit V4l2Device(const std::string& path);
    ~V4l2Device();
    V4l2Device(const V4l2Device&) = delete;
    V4l2Device& operator=(const V4l2Device&) = delete;

    bool isOpen() const { return fd_ >= 0; }

    // The card name when the node can capture video.
    std::optional<std::string> CaptureCardName() const;

    // The integer, boolean and menu controls that are not disabled.
    std::vector<V4l2Control> Controls() const;
    bool SetControl(uint32_t id, int32_t value) const;

    static std::optional<std::string> ProbeCaptureCard(const std::string& path);

private:
    int fd_ = -1;
};
