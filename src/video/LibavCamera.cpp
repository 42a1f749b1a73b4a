#include "video/LibavCamera.h"

LibavCamera::LibavCamera(std::unique_ptr<LibavVideoInput> input, int width, int height)
    : input_(std::move(input)), width_(width), height_(height) {}

bool LibavCamera::ReadFrame(uint8_t* bgrxBottomUp) {
    return input_->ReadPicture(width_, height_, true, bgrxBottomUp);
}

void LibavCamera::Interrupt() { input_->Interrupt(); }
