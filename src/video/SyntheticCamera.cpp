#include "video/SyntheticCamera.h"

#include <cstring>

#include "video/SyntheticPicture.h"

SyntheticCamera::SyntheticCamera(int width, int height, std::unique_ptr<FramePacer> pacer)
    : width_(width),
      height_(height),
      pacer_(std::move(pacer)),
      start_(pacer_->Now()),
      picture_(static_cast<size_t>(width) * height * 4) {}

bool SyntheticCamera::ReadFrame(uint8_t* bgrxBottomUp) {
    const auto due =
        start_ +
        std::chrono::duration_cast<FramePacer::Clock::duration>(
            std::chrono::duration<double>(static_cast<double>(frameNumber_) / kFramesPerSecond));
    if (!pacer_->WaitUntil(due)) return false;
    DrawSyntheticPicture(width_, height_, frameNumber_, picture_.data());
    const size_t rowBytes = static_cast<size_t>(width_) * 4;
    for (int row = 0; row < height_; ++row) {
        std::memcpy(bgrxBottomUp + rowBytes * (height_ - 1 - row), picture_.data() + rowBytes * row,
                    rowBytes);
    }
    ++frameNumber_;
    return true;
}

void SyntheticCamera::Interrupt() { pacer_->Interrupt(); }
