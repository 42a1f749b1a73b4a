#include "video/ConvertRgb32ToYuv420.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

namespace {

struct EdgeCase {
    const char* name;
    uint8_t b, g, r;
    uint8_t y, u, v;
};

std::vector<uint8_t> Uniform(int width, int height, uint8_t b, uint8_t g, uint8_t r) {
    std::vector<uint8_t> bgrx(static_cast<size_t>(width) * height * 4);
    for (size_t i = 0; i < bgrx.size(); i += 4) {
        bgrx[i] = b;
        bgrx[i + 1] = g;
        bgrx[i + 2] = r;
        bgrx[i + 3] = 0x5A;  // X must not matter
    }
    return bgrx;
}

TEST(ConvertRgb32ToYuv420, EdgeColoursGiveStudioRangeValues) {
    const EdgeCase cases[] = {
        {"white", 255, 255, 255, 235, 128, 128}, {"black", 0, 0, 0, 16, 128, 128},
        {"red", 0, 0, 255, 82, 90, 240},         {"green", 0, 255, 0, 144, 54, 34},
        {"blue", 255, 0, 0, 41, 240, 110},
    };
    constexpr int kWidth = 32, kHeight = 4;
    for (const EdgeCase& c : cases) {
        const std::vector<uint8_t> bgrx = Uniform(kWidth, kHeight, c.b, c.g, c.r);
        std::vector<uint8_t> yuv(kWidth * kHeight * 3 / 2);
        ConvertRgb32ToYuv420(kWidth, kHeight, bgrx.data(), yuv.data());
        const uint8_t* u = yuv.data() + kWidth * kHeight;
        const uint8_t* v = u + kWidth * kHeight / 4;
        for (int i = 0; i < kWidth * kHeight; ++i) ASSERT_EQ(yuv[i], c.y) << c.name;
        for (int i = 0; i < kWidth * kHeight / 4; ++i) {
            ASSERT_EQ(u[i], c.u) << c.name;
            ASSERT_EQ(v[i], c.v) << c.name;
        }
    }
}

TEST(ConvertRgb32ToYuv420, ChromaComesFromTopLeftPixelOfEachBlock) {
    // 2x2 picture: top-left red, the other three blue.
    const uint8_t bgrx[] = {0, 0, 255, 0, 255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 0};
    uint8_t yuv[6] = {};
    ConvertRgb32ToYuv420Plain(2, 2, bgrx, yuv);
    EXPECT_EQ(yuv[0], 82);
    EXPECT_EQ(yuv[1], 41);
    EXPECT_EQ(yuv[4], 90);
    EXPECT_EQ(yuv[5], 240);
}

TEST(ConvertRgb32ToYuv420, VectorPathsMatchPlainOnRandomFrames) {
    const int sizes[][2] = {{176, 144},  {320, 240},   {352, 288}, {640, 480},
                            {1280, 720}, {1920, 1080}, {18, 6}};  // last: scalar tail
    std::mt19937 random(20261209);
    std::uniform_int_distribution<int> byte(0, 255);
    for (const auto& size : sizes) {
        const int w = size[0], h = size[1];
        std::vector<uint8_t> bgrx(static_cast<size_t>(w) * h * 4);
        for (uint8_t& value : bgrx) value = static_cast<uint8_t>(byte(random));
        std::vector<uint8_t> plain(w * h * 3 / 2), vector(w * h * 3 / 2);
        ConvertRgb32ToYuv420Plain(w, h, bgrx.data(), plain.data());
        if (CpuSupportsSse2()) {
            ConvertRgb32ToYuv420Sse2(w, h, bgrx.data(), vector.data());
            ASSERT_EQ(plain, vector) << "SSE2 " << w << "x" << h;
        }
        if (CpuSupportsAvx2()) {
            ConvertRgb32ToYuv420Avx2(w, h, bgrx.data(), vector.data());
            ASSERT_EQ(plain, vector) << "AVX2 " << w << "x" << h;
        }
        ConvertRgb32ToYuv420(w, h, bgrx.data(), vector.data());
        ASSERT_EQ(plain, vector) << "dispatched " << w << "x" << h;
    }
}

}  // namespace
