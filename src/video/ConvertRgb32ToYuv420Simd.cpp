// Vector paths of ConvertRgb32ToYuv420. Every sum fits 16 bits: the luma sum
// (at most 56228) as an unsigned lane, the chroma sums (-28560..28688) as
// signed lanes, so 16-bit lanes with wrapping multiplies give the exact
// 32-bit results of the formulas.
#include <immintrin.h>

#include "video/ConvertRgb32ToYuv420.h"
#include "video/Rgb32ToYuvPixel.h"

namespace {

void ConvertTail(const uint8_t* src, int fromCol, int width, bool chromaRow, uint8_t* yRow,
                 uint8_t* uRow, uint8_t* vRow) {
    for (int col = fromCol; col < width; ++col) {
        const uint8_t* p = src + static_cast<int64_t>(col) * 4;
        yRow[col] = LumaOf(p[0], p[1], p[2]);
        if (chromaRow && (col % 2) == 0) {
            uRow[col / 2] = CbOf(p[0], p[1], p[2]);
            vRow[col / 2] = CrOf(p[0], p[1], p[2]);
        }
    }
}

// Walks the rows and hands blocks of kBlock pixels to the vector step; the
// rest of each row goes through the scalar formulas. Always inlined, so that
// it takes on the vector path's instruction set and can inline the step.
template <int kBlock, typename Step>
__attribute__((always_inline)) inline void ConvertRows(int width, int height, const uint8_t* bgrx,
                                                       uint8_t* yuv, Step step) {
    const int64_t lumaBytes = static_cast<int64_t>(width) * height;
    uint8_t* uPlane = yuv + lumaBytes;
    uint8_t* vPlane = uPlane + lumaBytes / 4;
    const int vectorWidth = width - width % kBlock;
    for (int row = 0; row < height; ++row) {
        const uint8_t* src = bgrx + static_cast<int64_t>(row) * width * 4;
        uint8_t* yRow = yuv + static_cast<int64_t>(row) * width;
        uint8_t* uRow = uPlane + static_cast<int64_t>(row / 2) * (width / 2);
        uint8_t* vRow = vPlane + static_cast<int64_t>(row / 2) * (width / 2);
        const bool chromaRow = (row % 2) == 0;
        for (int col = 0; col < vectorWidth; col += kBlock) {
            step(src + static_cast<int64_t>(col) * 4, yRow + col,
                 chromaRow ? uRow + col / 2 : nullptr, vRow + col / 2);
        }
        ConvertTail(src, vectorWidth, width, chromaRow, yRow, uRow, vRow);
    }
}

// ---- SSE2: 16 pixels per step ----

struct Channels128 {
    __m128i b, g, r;
};

// One colour byte of eight pixels as 16-bit lanes.
__attribute__((target("sse2"))) __m128i Channel(__m128i lo, __m128i hi, int shift) {
    const __m128i mask = _mm_set1_epi32(0xFF);
    return _mm_packs_epi32(_mm_and_si128(_mm_srli_epi32(lo, shift), mask),
                           _mm_and_si128(_mm_srli_epi32(hi, shift), mask));
}

__attribute__((target("sse2"))) Channels128 LoadEight(const uint8_t* p) {
    const __m128i lo = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p));
    const __m128i hi = _mm_loadu_si128(reinterpret_cast<const __m128i*>(p + 16));
    return {Channel(lo, hi, 0), Channel(lo, hi, 8), Channel(lo, hi, 16)};
}

__attribute__((target("sse2"))) __m128i WeightedSum(const Channels128& c, int16_t kb, int16_t kg,
                                                    int16_t kr) {
    const __m128i sum = _mm_add_epi16(_mm_mullo_epi16(c.b, _mm_set1_epi16(kb)),
                                      _mm_mullo_epi16(c.g, _mm_set1_epi16(kg)));
    return _mm_add_epi16(_mm_add_epi16(sum, _mm_mullo_epi16(c.r, _mm_set1_epi16(kr))),
                         _mm_set1_epi16(128));
}

__attribute__((target("sse2"))) __m128i Luma(const Channels128& c) {
    return _mm_add_epi16(_mm_srli_epi16(WeightedSum(c, 25, 129, 66), 8), _mm_set1_epi16(16));
}

__attribute__((target("sse2"))) __m128i Chroma(const Channels128& c, int16_t kb, int16_t kg,
                                               int16_t kr) {
    return _mm_add_epi16(_mm_srai_epi16(WeightedSum(c, kb, kg, kr), 8), _mm_set1_epi16(128));
}

// Keeps the even pixels' samples of 16 pixels and stores them as 8 bytes.
__attribute__((target("sse2"))) void StoreEvenSamples(__m128i first, __m128i second, uint8_t* dst) {
    const __m128i low = _mm_set1_epi32(0xFFFF);
    const __m128i even = _mm_packs_epi32(_mm_and_si128(first, low), _mm_and_si128(second, low));
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), _mm_packus_epi16(even, even));
}

__attribute__((target("sse2"))) void Sse2Step(const uint8_t* src, uint8_t* y, uint8_t* u,
                                              uint8_t* v) {
    const Channels128 first = LoadEight(src);
    const Channels128 second = LoadEight(src + 32);
    _mm_storeu_si128(reinterpret_cast<__m128i*>(y), _mm_packus_epi16(Luma(first), Luma(second)));
    if (u == nullptr) return;
    StoreEvenSamples(Chroma(first, 112, -74, -38), Chroma(second, 112, -74, -38), u);
    StoreEvenSamples(Chroma(first, -18, -94, 112), Chroma(second, -18, -94, 112), v);
}

// ---- AVX2: 16 pixels per step ----

struct Channels256 {
    __m256i b, g, r;
};

// Packing works within 128-bit halves; this puts the four 64-bit pieces
// back into pixel order.
__attribute__((target("avx2"))) __m256i InOrder(__m256i packed) {
    return _mm256_permute4x64_epi64(packed, 0xD8);
}

// One colour byte of sixteen pixels as 16-bit lanes, in pixel order.
__attribute__((target("avx2"))) __m256i Channel(__m256i lo, __m256i hi, int shift) {
    const __m256i mask = _mm256_set1_epi32(0xFF);
    return InOrder(_mm256_packs_epi32(_mm256_and_si256(_mm256_srli_epi32(lo, shift), mask),
                                      _mm256_and_si256(_mm256_srli_epi32(hi, shift), mask)));
}

__attribute__((target("avx2"))) Channels256 LoadSixteen(const uint8_t* p) {
    const __m256i lo = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    const __m256i hi = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 32));
    return {Channel(lo, hi, 0), Channel(lo, hi, 8), Channel(lo, hi, 16)};
}

__attribute__((target("avx2"))) __m256i WeightedSum(const Channels256& c, int16_t kb, int16_t kg,
                                                    int16_t kr) {
    const __m256i sum = _mm256_add_epi16(_mm256_mullo_epi16(c.b, _mm256_set1_epi16(kb)),
                                         _mm256_mullo_epi16(c.g, _mm256_set1_epi16(kg)));
    return _mm256_add_epi16(_mm256_add_epi16(sum, _mm256_mullo_epi16(c.r, _mm256_set1_epi16(kr))),
                            _mm256_set1_epi16(128));
}

__attribute__((target("avx2"))) void StoreEvenSamples(__m256i samples, uint8_t* dst) {
    const __m256i even = InOrder(_mm256_packs_epi32(
        _mm256_and_si256(samples, _mm256_set1_epi32(0xFFFF)), _mm256_setzero_si256()));
    const __m256i bytes = _mm256_packus_epi16(even, _mm256_setzero_si256());
    _mm_storel_epi64(reinterpret_cast<__m128i*>(dst), _mm256_castsi256_si128(bytes));
}

__attribute__((target("avx2"))) __m256i Chroma(const Channels256& c, int16_t kb, int16_t kg,
                                               int16_t kr) {
    return _mm256_add_epi16(_mm256_srai_epi16(WeightedSum(c, kb, kg, kr), 8),
                            _mm256_set1_epi16(128));
}

__attribute__((target("avx2"))) void Avx2Step(const uint8_t* src, uint8_t* y, uint8_t* u,
                                              uint8_t* v) {
    const Channels256 c = LoadSixteen(src);
    const __m256i luma =
        _mm256_add_epi16(_mm256_srli_epi16(WeightedSum(c, 25, 129, 66), 8), _mm256_set1_epi16(16));
    const __m256i bytes = InOrder(_mm256_packus_epi16(luma, _mm256_setzero_si256()));
    _mm_storeu_si128(reinterpret_cast<__m128i*>(y), _mm256_castsi256_si128(bytes));
    if (u == nullptr) return;
    StoreEvenSamples(Chroma(c, 112, -74, -38), u);
    StoreEvenSamples(Chroma(c, -18, -94, 112), v);
}

}  // namespace

__attribute__((target("sse2"))) void ConvertRgb32ToYuv420Sse2(int width, int height,
                                                              const uint8_t* bgrx, uint8_t* yuv) {
    ConvertRows<16>(width, height, bgrx, yuv, Sse2Step);
}

__attribute__((target("avx2"))) void ConvertRgb32ToYuv420Avx2(int width, int height,
                                                              const uint8_t* bgrx, uint8_t* yuv) {
    ConvertRows<16>(width, height, bgrx, yuv, Avx2Step);
}

bool CpuSupportsSse2() { return __builtin_cpu_supports("sse2"); }

bool CpuSupportsAvx2() { return __builtin_cpu_supports("avx2"); }
