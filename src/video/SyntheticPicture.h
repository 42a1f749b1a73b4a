#pragma once

#include <cstdint>

// The built-in test camera's picture for one frame number: colour bars, a
// white block that moves one step per frame and the frame number as large
// seven-segment digits. The same number always gives the same bytes, so
// tests can rebuild the picture a decoder should have produced.
//
// Writes width x height 32-bit pixels (B, G, R, X), top row first, rows
// unpadded. Width and height must be positive.
void DrawSyntheticPicture(int width, int height, uint64_t frameNumber, uint8_t* bgrxTopRowFirst);
