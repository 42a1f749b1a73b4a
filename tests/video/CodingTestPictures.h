#pragma once

#include <cmath>
#include <cstdint>
#include <vector>

#include "video/ConvertRgb32ToYuv420.h"
#include "video/SyntheticPicture.h"

// The synthetic camera's picture for `frameNumber` as the encoder gets it.
inline std::vector<uint8_t> SyntheticI420(int width, int height, uint64_t frameNumber) {
    std::vector<uint8_t> bgrx(static_cast<std::size_t>(width) * height * 4);
    DrawSyntheticPicture(width, height, frameNumber, bgrx.data());
    std::vector<uint8_t> i420(static_cast<std::size_t>(width) * height * 3 / 2);
    ConvertRgb32ToYuv420(width, height, bgrx.data(), i420.data());
    return i420;
}

// Peak signal-to-noise ratio in dB over the luma plane.
inline double LumaPsnr(const uint8_t* a, const uint8_t* b, int width, int height) {
    double squaredError = 0;
    const std::size_t samples = static_cast<std::size_t>(width) * height;
    for (std::size_t i = 0; i < samples; ++i) {
        const double d = static_cast<double>(a[i]) - b[i];
        squaredError += d * d;
    }
    if (squaredError == 0) return 99.0;
    return 10.0 * std::log10(255.0 * 255.0 * samples / squaredError);
}
