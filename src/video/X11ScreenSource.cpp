#include "video/X11ScreenSource.h"

#include <cstdlib>

std::unique_ptr<ScreenSource> X11ScreenSource::Open() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return nullptr;
    auto input = std::make_unique<LibavVideoInput>();
    // Faster than the camera, so that a copy is always due when one is asked for.
    if (input->Open("x11grab", display, {{"framerate", "60"}}) !=
        LibavVideoInput::OpenStatus::kOpened) {
        return nullptr;
    }
    return std::unique_ptr<ScreenSource>(new X11ScreenSource(std::move(input)));
}

X11ScreenSource::X11ScreenSource(std::unique_ptr<LibavVideoInput> input)
    : input_(std::move(input)) {}

QImage X11ScreenSource::Grab() {
    QImage screen(input_->sourceWidth(), input_->sourceHeight(), QImage::Format_RGB32);
    if (screen.isNull() ||
        !input_->ReadPicture(screen.width(), screen.height(), false, screen.bits())) {
        return QImage();
    }
    return screen;
}
