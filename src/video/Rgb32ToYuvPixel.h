#pragma once

#include <cstdint>

// The integer colour formulas of one pixel, shared by the plain path and the
// tails of the vector paths so that all of them agree to the bit.
inline uint8_t LumaOf(int b, int g, int r) {
    return static_cast<uint8_t>(((66 * r + 129 * g + 25 * b + 128) >> 8) + 16);
}

inline uint8_t CbOf(int b, int g, int r) {
    return static_cast<uint8_t>(((-38 * r - 74 * g + 112 * b + 128) >> 8) + 128);
}

inline uint8_t CrOf(int b, int g, int r) {
    return static_cast<uint8_t>(((112 * r - 94 * g - 18 * b + 128) >> 8) + 128);
}
