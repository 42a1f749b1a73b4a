#pragma once

#include <memory>

#include "video/LibavVideoInput.h"
#include "video/ScreenSource.h"

// The X display named by DISPLAY, copied through libavdevice's x11grab.
class X11ScreenSource : public ScreenSource {
public:
    // Nothing when there is no X display (none set, or Wayland only).
    static std::unique_ptr<ScreenSource> Open();

    QImage Grab() override;

private:
    explicit X11ScreenSource(std::unique_ptr<LibavVideoInput> input);

    std::unique_ptr<LibavVideoInput> input_;
};
