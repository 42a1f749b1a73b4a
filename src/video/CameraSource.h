#pragma once

#include <cstdint>

// One camera, open and delivering pictures of the frame size it was opened
// with. ReadFrame runs on the capture thread, Interrupt on any thread.
class CameraSource {
public:
    virtual ~CameraSource() = default;

    // Writes the next picture as width x height 32-bit pixels (B, G, R, X),
    // bottom row first, and returns at the camera's pace. False when the
    // camera failed or was interrupted.
    virtual bool ReadFrame(uint8_t* bgrxBottomUp) = 0;

    // Makes a blocked or later ReadFrame return false soon.
    virtual void Interrupt() = 0;
};
