#include "video/ConvertYuv420ToRgb24.h"

#include <cstddef>

#include "video/YuvToRgbTables.h"

#if defined(__SSE2__)
#include <immintrin.h>

#define VP_AVX2 __attribute__((target("avx2")))
#endif

namespace {

struct RowPair {
    const uint8_t* yTop;
    const uint8_t* yBottom;
    const uint8_t* u;
    const uint8_t* v;
    uint8_t* outTop;  // memory row of the upper picture row
    uint8_t* outBottom;
};

RowPair RowPairAt(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* rgb24, int width,
                  int height, int pair) {
    const auto w = static_cast<std::ptrdiff_t>(width);
    const std::ptrdiff_t top = 2 * pair;
    return RowPair{y + top * w,
                   y + (top + 1) * w,
                   u + pair * (w / 2),
                   v + pair * (w / 2),
                   rgb24 + (height - 1 - top) * w * 3,
                   rgb24 + (height - 2 - top) * w * 3};
}

void StorePixel(const YuvToRgbTables& t, int32_t luma, int32_t red, int32_t green, int32_t blue,
                uint8_t* out) {
    out[0] = t.Clamp(luma + blue);
    out[1] = t.Clamp(luma - green);
    out[2] = t.Clamp(luma + red);
}

// Columns [first, width) of one row pair, by the tables.
void ConvertColumnsPlain(const RowPair& rows, int first, int width) {
    const YuvToRgbTables& t = YuvToRgbTables::Get();
    for (int x = first; x < width; x += 2) {
        const uint8_t u = rows.u[x / 2];
        const uint8_t v = rows.v[x / 2];
        const int32_t red = t.redFromV[v];
        const int32_t green = (t.greenFromU[u] + t.greenFromV[v]) >> 15;
        const int32_t blue = t.blueFromU[u];
        for (int dx = 0; dx < 2; ++dx) {
            StorePixel(t, t.luma[rows.yTop[x + dx]], red, green, blue, rows.outTop + (x + dx) * 3);
            StorePixel(t, t.luma[rows.yBottom[x + dx]], red, green, blue,
                       rows.outBottom + (x + dx) * 3);
        }
    }
}

#if defined(__SSE2__)

// The tables are products with constants of 17 bits; each splits into a
// multiple of 32768 and a remainder below 32768, so
//   (x * c) >> 15 == mulhi(2x, c mod 32768) + x * (c / 32768)
// holds exactly in 16-bit lanes.
struct ChromaTerms {
    __m128i red;    // redFromV
    __m128i green;  // (greenFromU + greenFromV) >> 15
    __m128i blue;   // blueFromU
};

ChromaTerms ChromaTermsOf(__m128i u8x8, __m128i v8x8) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i bias = _mm_set1_epi16(128);
    const __m128i u = _mm_sub_epi16(_mm_unpacklo_epi8(u8x8, zero), bias);
    const __m128i v = _mm_sub_epi16(_mm_unpacklo_epi8(v8x8, zero), bias);
    ChromaTerms terms;
    // 104597 = 3 * 32768 + 6293
    terms.red = _mm_add_epi16(_mm_mulhi_epi16(_mm_add_epi16(v, v), _mm_set1_epi16(6293)),
                              _mm_add_epi16(v, _mm_add_epi16(v, v)));
    // 132201 = 4 * 32768 + 1129
    terms.blue = _mm_add_epi16(_mm_mulhi_epi16(_mm_add_epi16(u, u), _mm_set1_epi16(1129)),
                               _mm_slli_epi16(u, 2));
    // 25675 * u + 53279 * v = 25675 * u + 20511 * v + 32768 * v
    const __m128i weights = _mm_set1_epi32(25675 | (20511 << 16));
    const __m128i low = _mm_srai_epi32(_mm_madd_epi16(_mm_unpacklo_epi16(u, v), weights), 15);
    const __m128i high = _mm_srai_epi32(_mm_madd_epi16(_mm_unpackhi_epi16(u, v), weights), 15);
    terms.green = _mm_add_epi16(_mm_packs_epi32(low, high), v);
    return terms;
}

// 76309 = 2 * 32768 + 10773
__m128i LumaTerm(__m128i y16) {
    const __m128i twice = _mm_add_epi16(_mm_sub_epi16(y16, _mm_set1_epi16(16)),
                                        _mm_sub_epi16(y16, _mm_set1_epi16(16)));
    return _mm_add_epi16(_mm_mulhi_epi16(twice, _mm_set1_epi16(10773)), twice);
}

// The clamp table: halve, then limit to 0..255.
__m128i ClampPair(__m128i low, __m128i high) {
    return _mm_packus_epi16(_mm_srai_epi16(low, 1), _mm_srai_epi16(high, 1));
}

// Four B, G, R, 0 pixels -> 12 bytes B, G, R at the bottom of the register.
__m128i PackFourPixels(__m128i bgrx) {
    const __m128i firstOfLane = _mm_set1_epi64x(0x0000000000FFFFFF);
    const __m128i secondOfLane = _mm_set1_epi64x(0x0000FFFFFF000000);
    const __m128i lanes = _mm_or_si128(_mm_and_si128(bgrx, firstOfLane),
                                       _mm_and_si128(_mm_srli_epi64(bgrx, 8), secondOfLane));
    const __m128i firstSix = _mm_set_epi32(0, 0, 0x0000FFFF, -1);
    const __m128i nextSix = _mm_set_epi32(0, -1, static_cast<int>(0xFFFF0000u), 0);
    return _mm_or_si128(_mm_and_si128(lanes, firstSix),
                        _mm_and_si128(_mm_srli_si128(lanes, 2), nextSix));
}

void StoreSixteenPixels(__m128i b, __m128i g, __m128i r, uint8_t* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i bgLow = _mm_unpacklo_epi8(b, g);
    const __m128i bgHigh = _mm_unpackhi_epi8(b, g);
    const __m128i rLow = _mm_unpacklo_epi8(r, zero);
    const __m128i rHigh = _mm_unpackhi_epi8(r, zero);
    const __m128i p0 = PackFourPixels(_mm_unpacklo_epi16(bgLow, rLow));
    const __m128i p1 = PackFourPixels(_mm_unpackhi_epi16(bgLow, rLow));
    const __m128i p2 = PackFourPixels(_mm_unpacklo_epi16(bgHigh, rHigh));
    const __m128i p3 = PackFourPixels(_mm_unpackhi_epi16(bgHigh, rHigh));
    auto* dst = reinterpret_cast<__m128i*>(out);
    _mm_storeu_si128(dst, _mm_or_si128(p0, _mm_slli_si128(p1, 12)));
    _mm_storeu_si128(dst + 1, _mm_or_si128(_mm_srli_si128(p1, 4), _mm_slli_si128(p2, 8)));
    _mm_storeu_si128(dst + 2, _mm_or_si128(_mm_srli_si128(p2, 8), _mm_slli_si128(p3, 4)));
}

void ConvertSixteenPixels(const uint8_t* y, const ChromaTerms& low, const ChromaTerms& high,
                          uint8_t* out) {
    const __m128i zero = _mm_setzero_si128();
    const __m128i luma = _mm_loadu_si128(reinterpret_cast<const __m128i*>(y));
    const __m128i yLow = LumaTerm(_mm_unpacklo_epi8(luma, zero));
    const __m128i yHigh = LumaTerm(_mm_unpackhi_epi8(luma, zero));
    const __m128i b = ClampPair(_mm_add_epi16(yLow, low.blue), _mm_add_epi16(yHigh, high.blue));
    const __m128i g = ClampPair(_mm_sub_epi16(yLow, low.green), _mm_sub_epi16(yHigh, high.green));
    const __m128i r = ClampPair(_mm_add_epi16(yLow, low.red), _mm_add_epi16(yHigh, high.red));
    StoreSixteenPixels(b, g, r, out);
}

// Each chroma term serves two neighbouring pixels.
ChromaTerms Widen(const ChromaTerms& terms, bool high) {
    auto widen = [high](__m128i x) {
        return high ? _mm_unpackhi_epi16(x, x) : _mm_unpacklo_epi16(x, x);
    };
    return ChromaTerms{widen(terms.red), widen(terms.green), widen(terms.blue)};
}

void ConvertRowPairSse2(const RowPair& rows, int width) {
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const ChromaTerms terms =
            ChromaTermsOf(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(rows.u + x / 2)),
                          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(rows.v + x / 2)));
        const ChromaTerms low = Widen(terms, false);
        const ChromaTerms high = Widen(terms, true);
        ConvertSixteenPixels(rows.yTop + x, low, high, rows.outTop + x * 3);
        ConvertSixteenPixels(rows.yBottom + x, low, high, rows.outBottom + x * 3);
    }
    ConvertColumnsPlain(rows, x, width);
}

// The AVX2 path does the per-pixel arithmetic of 16 pixels in one register
// and interleaves B, G, R with byte shuffles.
VP_AVX2 __m256i TwoPixelsEach(__m128i chroma) {
    return _mm256_set_m128i(_mm_unpackhi_epi16(chroma, chroma), _mm_unpacklo_epi16(chroma, chroma));
}

VP_AVX2 __m256i LumaTerm16(const uint8_t* y) {
    const __m256i luma = _mm256_cvtepu8_epi16(_mm_loadu_si128(reinterpret_cast<const __m128i*>(y)));
    const __m256i twice = _mm256_slli_epi16(_mm256_sub_epi16(luma, _mm256_set1_epi16(16)), 1);
    return _mm256_add_epi16(_mm256_mulhi_epi16(twice, _mm256_set1_epi16(10773)), twice);
}

VP_AVX2 __m128i Clamp16(__m256i sums) {
    const __m256i halved = _mm256_srai_epi16(sums, 1);
    const __m256i packed = _mm256_packus_epi16(halved, halved);
    // Each lane packed its own eight pixels twice; take lane 0 then lane 1.
    return _mm256_castsi256_si128(_mm256_permute4x64_epi64(packed, 0x08));
}

// Byte j of output register k is pixel (16k + j) / 3, channel (16k + j) mod 3;
// -1 leaves the byte zero for another channel to fill.
VP_AVX2 void StoreSixteenPixelsShuffled(__m128i b, __m128i g, __m128i r, uint8_t* out) {
    const __m128i first = _mm_or_si128(
        _mm_or_si128(_mm_shuffle_epi8(b, _mm_setr_epi8(0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1,
                                                       4, -1, -1, 5)),
                     _mm_shuffle_epi8(g, _mm_setr_epi8(-1, 0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1,
                                                       -1, 4, -1, -1))),
        _mm_shuffle_epi8(r,
                         _mm_setr_epi8(-1, -1, 0, -1, -1, 1, -1, -1, 2, -1, -1, 3, -1, -1, 4, -1)));
    const __m128i second = _mm_or_si128(
        _mm_or_si128(_mm_shuffle_epi8(b, _mm_setr_epi8(-1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9,
                                                       -1, -1, 10, -1)),
                     _mm_shuffle_epi8(g, _mm_setr_epi8(5, -1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1,
                                                       9, -1, -1, 10))),
        _mm_shuffle_epi8(r,
                         _mm_setr_epi8(-1, 5, -1, -1, 6, -1, -1, 7, -1, -1, 8, -1, -1, 9, -1, -1)));
    const __m128i third = _mm_or_si128(
        _mm_or_si128(_mm_shuffle_epi8(b, _mm_setr_epi8(-1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14,
                                                       -1, -1, 15, -1, -1)),
                     _mm_shuffle_epi8(g, _mm_setr_epi8(-1, -1, 11, -1, -1, 12, -1, -1, 13, -1, -1,
                                                       14, -1, -1, 15, -1))),
        _mm_shuffle_epi8(
            r, _mm_setr_epi8(10, -1, -1, 11, -1, -1, 12, -1, -1, 13, -1, -1, 14, -1, -1, 15)));
    auto* dst = reinterpret_cast<__m128i*>(out);
    _mm_storeu_si128(dst, first);
    _mm_storeu_si128(dst + 1, second);
    _mm_storeu_si128(dst + 2, third);
}

struct ChromaTerms16 {
    __m256i red;
    __m256i green;
    __m256i blue;
};

VP_AVX2 void ConvertSixteenPixelsAvx2(const uint8_t* y, const ChromaTerms16& chroma, uint8_t* out) {
    const __m256i luma = LumaTerm16(y);
    StoreSixteenPixelsShuffled(Clamp16(_mm256_add_epi16(luma, chroma.blue)),
                               Clamp16(_mm256_sub_epi16(luma, chroma.green)),
                               Clamp16(_mm256_add_epi16(luma, chroma.red)), out);
}

VP_AVX2 void ConvertRowPairAvx2(const RowPair& rows, int width) {
    int x = 0;
    for (; x + 16 <= width; x += 16) {
        const ChromaTerms terms =
            ChromaTermsOf(_mm_loadl_epi64(reinterpret_cast<const __m128i*>(rows.u + x / 2)),
                          _mm_loadl_epi64(reinterpret_cast<const __m128i*>(rows.v + x / 2)));
        const ChromaTerms16 chroma{TwoPixelsEach(terms.red), TwoPixelsEach(terms.green),
                                   TwoPixelsEach(terms.blue)};
        ConvertSixteenPixelsAvx2(rows.yTop + x, chroma, rows.outTop + x * 3);
        ConvertSixteenPixelsAvx2(rows.yBottom + x, chroma, rows.outBottom + x * 3);
    }
    ConvertColumnsPlain(rows, x, width);
}

bool CpuHasAvx2() {
    static const bool hasAvx2 = __builtin_cpu_supports("avx2");
    return hasAvx2;
}

#endif

}  // namespace

void ConvertYuv420ToRgb24Plain(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* rgb24,
                               int width, int height) {
    for (int pair = 0; pair < height / 2; ++pair) {
        ConvertColumnsPlain(RowPairAt(y, u, v, rgb24, width, height, pair), 0, width);
    }
}

bool ConvertYuv420ToRgb24Sse2(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* rgb24,
                              int width, int height) {
#if defined(__SSE2__)
    for (int pair = 0; pair < height / 2; ++pair) {
        ConvertRowPairSse2(RowPairAt(y, u, v, rgb24, width, height, pair), width);
    }
    return true;
#else
    (void)y, (void)u, (void)v, (void)rgb24, (void)width, (void)height;
    return false;
#endif
}

bool ConvertYuv420ToRgb24Avx2(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* rgb24,
                              int width, int height) {
#if defined(__SSE2__)
    if (!CpuHasAvx2()) return false;
    for (int pair = 0; pair < height / 2; ++pair) {
        ConvertRowPairAvx2(RowPairAt(y, u, v, rgb24, width, height, pair), width);
    }
    return true;
#else
    (void)y, (void)u, (void)v, (void)rgb24, (void)width, (void)height;
    return false;
#endif
}

void ConvertYuv420ToRgb24(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* rgb24,
                          int width, int height) {
    if (ConvertYuv420ToRgb24Avx2(y, u, v, rgb24, width, height)) return;
    if (!ConvertYuv420ToRgb24Sse2(y, u, v, rgb24, width, height)) {
        ConvertYuv420ToRgb24Plain(y, u, v, rgb24, width, height);
    }
}
