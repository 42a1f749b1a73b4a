#include "video/ConvertYuv420ToRgb24.h"

#include <gtest/gtest.h>

#include <array>
#include <random>
#include <vector>

namespace {

struct Yuv420Picture {
    int width;
    int height;
    std::vector<uint8_t> bytes;

    Yuv420Picture(int w, int h)
        : width(w), height(h), bytes(static_cast<std::size_t>(w) * h * 3 / 2) {}
    uint8_t* Y() { return bytes.data(); }
    uint8_t* U() { return bytes.data() + static_cast<std::size_t>(width) * height; }
    uint8_t* V() { return U() + static_cast<std::size_t>(width) * height / 4; }
};

using Converter = void (*)(const uint8_t*, const uint8_t*, const uint8_t*, uint8_t*, int, int);

void Sse2(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* out, int w, int h) {
    ASSERT_TRUE(ConvertYuv420ToRgb24Sse2(y, u, v, out, w, h));
}

bool HaveAvx2() {
    std::vector<uint8_t> probe(2 * 2 * 3 / 2), out(2 * 2 * 3);
    return ConvertYuv420ToRgb24Avx2(probe.data(), probe.data() + 4, probe.data() + 5, out.data(), 2,
                                    2);
}

void Avx2(const uint8_t* y, const uint8_t* u, const uint8_t* v, uint8_t* out, int w, int h) {
    if (!ConvertYuv420ToRgb24Avx2(y, u, v, out, w, h)) {
        ConvertYuv420ToRgb24Plain(y, u, v, out, w, h);  // nothing to compare on this machine
    }
}

std::vector<uint8_t> Convert(Converter convert, Yuv420Picture& p) {
    std::vector<uint8_t> rgb(static_cast<std::size_t>(p.width) * p.height * 3, 0xAA);
    convert(p.Y(), p.U(), p.V(), rgb.data(), p.width, p.height);
    return rgb;
}

const std::array<Converter, 4> kPaths = {ConvertYuv420ToRgb24Plain, Sse2, Avx2,
                                         ConvertYuv420ToRgb24};

TEST(ConvertYuv420ToRgb24Test, EdgeValues) {
    struct Case {
        uint8_t y, u, v;
        uint8_t r, g, b;
    };
    const Case cases[] = {
        {16, 128, 128, 0, 0, 0},  {235, 128, 128, 254, 254, 254}, {236, 128, 128, 255, 255, 255},
        {82, 90, 240, 255, 0, 0}, {0, 0, 0, 0, 135, 0},           {255, 255, 255, 255, 125, 255},
    };
    for (const Case& c : cases) {
        // 20 columns: one vector group of 16 and a tail of 4.
        Yuv420Picture picture(20, 2);
        std::fill(picture.Y(), picture.U(), c.y);
        std::fill(picture.U(), picture.V(), c.u);
        std::fill(picture.V(), picture.V() + 10, c.v);
        for (Converter path : kPaths) {
            const auto rgb = Convert(path, picture);
            for (std::size_t px = 0; px < rgb.size(); px += 3) {
                ASSERT_EQ(rgb[px + 0], c.b) << int(c.y) << "," << int(c.u) << "," << int(c.v);
                ASSERT_EQ(rgb[px + 1], c.g) << int(c.y) << "," << int(c.u) << "," << int(c.v);
                ASSERT_EQ(rgb[px + 2], c.r) << int(c.y) << "," << int(c.u) << "," << int(c.v);
            }
        }
    }
}

TEST(ConvertYuv420ToRgb24Test, FirstPictureRowLandsInLastMemoryRow) {
    Yuv420Picture picture(32, 4);
    std::fill(picture.Y(), picture.U(), 16);
    std::fill(picture.Y(), picture.Y() + 32, 236);  // picture row 0 white
    std::fill(picture.U(), picture.bytes.data() + picture.bytes.size(), 128);
    for (Converter path : kPaths) {
        const auto rgb = Convert(path, picture);
        const std::size_t rowBytes = 32 * 3;
        for (std::size_t i = 0; i < rowBytes; ++i) {
            EXPECT_EQ(rgb[3 * rowBytes + i], 255);  // last memory row
            EXPECT_EQ(rgb[i], 0);                   // first memory row: picture row 3
        }
    }
}

// Every (U, V) pair once, under every luma value: the vector path must give
// the plain path's bytes for all inputs. Also a width with a scalar tail.
TEST(ConvertYuv420ToRgb24Test, VectorPathMatchesPlainOnAllInputs) {
    Yuv420Picture all(512, 512);
    for (int row = 0; row < 512; ++row) {
        for (int col = 0; col < 512; ++col) all.Y()[row * 512 + col] = uint8_t(col + row * 7);
    }
    for (int i = 0; i < 256 * 256; ++i) {
        all.U()[i] = uint8_t(i & 0xff);
        all.V()[i] = uint8_t(i >> 8);
    }
    const auto plain = Convert(ConvertYuv420ToRgb24Plain, all);
    EXPECT_EQ(plain, Convert(Sse2, all));
    if (HaveAvx2()) {
        EXPECT_EQ(plain, Convert(Avx2, all));
    }

    Yuv420Picture tail(36, 6);
    std::mt19937 random(7);
    for (uint8_t& b : tail.bytes) b = uint8_t(random());
    EXPECT_EQ(Convert(ConvertYuv420ToRgb24Plain, tail), Convert(Sse2, tail));
    if (HaveAvx2()) {
        EXPECT_EQ(Convert(ConvertYuv420ToRgb24Plain, tail), Convert(Avx2, tail));
    }
}

}  // namespace
