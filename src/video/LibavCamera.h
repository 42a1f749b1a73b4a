#pragma once

#include <memory>

#include "video/CameraSource.h"
#include "video/LibavVideoInput.h"

// A V4L2 camera read through libavdevice, delivered at the frame size.
class LibavCamera : public CameraSource {
public:
    LibavCamera(std::unique_ptr<LibavVideoInput> input, int width, int height);

    bool ReadFrame(uint8_t* bgrxBottomUp) override;
    void Interrupt() override;

private:
    std::unique_ptr<LibavVideoInput> input_;
    int width_;
    int height_;
};
