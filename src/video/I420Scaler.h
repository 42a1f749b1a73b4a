#pragma once

#include <cstdint>

struct SwsContext;

// Scales a decoded picture of any size and planar layout into our
// contiguous I420 frame (libswscale). The scaling context is kept while the
// source stays the same, so a partner with another frame size costs one
// context, not one per frame.
class I420Scaler {
public:
    struct Source {
        const uint8_t* const* planes;
        const int* strides;
        int width;
        int height;
        int pixelFormat;  // an AVPixelFormat value
    };

    I420Scaler() = default;
    ~I420Scaler();
    I420Scaler(const I420Scaler&) = delete;
    I420Scaler& operator=(const I420Scaler&) = delete;

    // Writes width * height * 3 / 2 bytes to `i420`; false when libswscale
    // cannot convert the source.
    bool Scale(const Source& source, uint8_t* i420, int width, int height);

private:
    SwsContext* context_ = nullptr;
};
