#pragma once

#include <cstdint>

// Converts a planar 4:2:0 picture (chroma planes of width/2 x height/2) into
// 24-bit B, G, R pixels, bottom-up: picture row r lands in memory row
// height - 1 - r. Width and height must be even. Every path gives the same
// bytes as the table-driven plain one; the fastest path the processor has is
// taken.
void ConvertYuv420ToRgb24(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* rgb24,
                          int width, int height);

// The table-driven reference path.
void ConvertYuv420ToRgb24Plain(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* rgb24,
                               int width, int height);

// The SSE2 path, 16 pixels at a time; false where SSE2 is not built in (the
// picture is then untouched).
bool ConvertYuv420ToRgb24Sse2(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* rgb24,
                              int width, int height);

// The AVX2 path; false when the processor lacks AVX2 (picture untouched).
bool ConvertYuv420ToRgb24Avx2(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* rgb24,
                              int width, int height);
