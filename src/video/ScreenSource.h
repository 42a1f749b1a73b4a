#pragma once

#include <QImage>

// A copy of the screen, as a 32-bit picture top row first at the screen's
// own size; a null picture when this copy failed.
class ScreenSource {
public:
    virtual ~ScreenSource() = default;
    virtual QImage Grab() = 0;
};
