#pragma once

#include <QImage>
#include <cstdint>
#include <mutex>
#include <vector>

#include "video/InsetPlacement.h"

// The local picture shown as an inset in the remote picture. The capture
// thread hands over each camera picture, the window's thread moves the
// inset, and the receive thread draws it; all three meet under one lock.
class PictureInPicture {
public:
    PictureInPicture(int width, int height);

    // The latest camera picture: width x height 32-bit pixels, top row first.
    void UpdateSource(const uint8_t* bgrxTopRowFirst);
    void SetPlacement(const InsetPlacement& placement);
    InsetPlacement placement() const;

    // Draws the latest camera picture, scaled smoothly, into the placement's
    // rectangle of a 24-bit (B, G, R) bottom-up picture; what falls outside
    // the picture is clipped.
    void DrawInset(uint8_t* remoteRgb24BottomUp, int width, int height) const;

private:
    // The inset at its placed size, scaled from the source under the lock.
    QImage ScaledInset(InsetPlacement& placement) const;

    int width_;
    int height_;
    mutable std::mutex mutex_;
    // Plain bytes rather than a QImage: implicitly shared image data must
    // not travel between threads.
    std::vector<uint8_t> insetSourceFrame_;
    InsetPlacement placement_;
};
