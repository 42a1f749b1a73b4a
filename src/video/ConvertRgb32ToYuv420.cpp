#include "video/ConvertRgb32ToYuv420.h"

#include "video/Rgb32ToYuvPixel.h"

void ConvertRgb32ToYuv420Plain(int width, int height, const uint8_t* bgrx, uint8_t* yuv) {
    const int64_t lumaBytes = static_cast<int64_t>(width) * height;
    uint8_t* uPlane = yuv + lumaBytes;
    uint8_t* vPlane = uPlane + lumaBytes / 4;
    for (int row = 0; row < height; ++row) {
        const uint8_t* src = bgrx + static_cast<int64_t>(row) * width * 4;
        uint8_t* yRow = yuv + static_cast<int64_t>(row) * width;
        const bool chromaRow = (row % 2) == 0;
        const int64_t chromaOffset = static_cast<int64_t>(row / 2) * (width / 2);
        for (int col = 0; col < width; ++col, src += 4) {
            yRow[col] = LumaOf(src[0], src[1], src[2]);
            if (chromaRow && (col % 2) == 0) {
                uPlane[chromaOffset + col / 2] = CbOf(src[0], src[1], src[2]);
                vPlane[chromaOffset + col / 2] = CrOf(src[0], src[1], src[2]);
            }
        }
    }
}

namespace {

using ConvertFunction = void (*)(int, int, const uint8_t*, uint8_t*);

ConvertFunction PickFastest() {
    if (CpuSupportsAvx2()) return ConvertRgb32ToYuv420Avx2;
    if (CpuSupportsSse2()) return ConvertRgb32ToYuv420Sse2;
    return ConvertRgb32ToYuv420Plain;
}

}  // namespace

void ConvertRgb32ToYuv420(int width, int height, const uint8_t* bgrx, uint8_t* yuv) {
    static const ConvertFunction fastest = PickFastest();
    fastest(width, height, bgrx, yuv);
}
