#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "video/CameraSource.h"
#include "video/FramePacer.h"

// The built-in test camera: the synthetic picture of frame 0, 1, 2, ... at
// 30 frames per second, each due at start + n/30 s, so that a late frame
// does not shift the ones after it.
class SyntheticCamera : public CameraSource {
public:
    static constexpr int kFramesPerSecond = 30;

    SyntheticCamera(int width, int height, std::unique_ptr<FramePacer> pacer);

    bool ReadFrame(uint8_t* bgrxBottomUp) override;
    void Interrupt() override;

private:
    int width_;
    int height_;
    std::unique_ptr<FramePacer> pacer_;
    FramePacer::Clock::time_point start_;
    uint64_t frameNumber_ = 0;
    std::vector<uint8_t> picture_;
};
