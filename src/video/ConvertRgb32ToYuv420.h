#pragma once

#include <cstdint>

// Converts a 32-bit picture (B, G, R, X; rows in memory order, unpadded) into
// planar YUV 4:2:0 studio range: Y plane w*h, then U and V of (w/2)*(h/2).
// Every Y sample uses its own pixel; U and V come from the top-left pixel of
// each 2x2 block without averaging. Width and height are even.
//
// The fastest path the processor supports is picked once; every path gives
// the same bytes.
void ConvertRgb32ToYuv420(int width, int height, const uint8_t* bgrx, uint8_t* yuv);

// The individual paths, for tests and benchmarks. The vector paths may only
// be called when the processor supports them (see the Supports functions).
void ConvertRgb32ToYuv420Plain(int width, int height, const uint8_t* bgrx, uint8_t* yuv);
void ConvertRgb32ToYuv420Sse2(int width, int height, const uint8_t* bgrx, uint8_t* yuv);
void ConvertRgb32ToYuv420Avx2(int width, int height, const uint8_t* bgrx, uint8_t* yuv);
bool CpuSupportsSse2();
bool CpuSupportsAvx2();
