#include "video/SyntheticPicture.h"

#include <algorithm>
#include <array>

namespace {

struct Bgrx {
    uint8_t b, g, r;
};

// Classic 75 % bars: white, yellow, cyan, green, magenta, red, blue.
constexpr std::array<Bgrx, 7> kBars{{{191, 191, 191},
                                     {0, 191, 191},
                                     {191, 191, 0},
                                     {0, 191, 0},
                                     {191, 0, 191},
                                     {0, 0, 191},
                                     {191, 0, 0}}};

// Segments a..g of each decimal digit, bit 0 = a.
constexpr std::array<uint8_t, 10> kDigitSegments{0x3F, 0x06, 0x5B, 0x4F, 0x66,
                                                 0x6D, 0x7D, 0x07, 0x7F, 0x6F};
constexpr int kCounterDigits = 6;

class Canvas {
public:
    Canvas(int width, int height, uint8_t* pixels)
        : width_(width), height_(height), pixels_(pixels) {}

    void Fill(int left, int top, int right, int bottom, Bgrx colour) {
        left = std::max(left, 0);
        top = std::max(top, 0);
        right = std::min(right, width_);
        bottom = std::min(bottom, height_);
        for (int y = top; y < bottom; ++y) {
            uint8_t* p = pixels_ + (static_cast<int64_t>(y) * width_ + left) * 4;
            for (int x = left; x < right; ++x, p += 4) {
                p[0] = colour.b;
                p[1] = colour.g;
                p[2] = colour.r;
                p[3] = 255;
            }
        }
    }

    int width() const { return width_; }
    int height() const { return height_; }

private:
    int width_;
    int height_;
    uint8_t* pixels_;
};

void DrawBars(Canvas& canvas, int barsBottom) {
    const int count = static_cast<int>(kBars.size());
    for (int i = 0; i < count; ++i) {
        const int left = canvas.width() * i / count;
        const int right = canvas.width() * (i + 1) / count;
        canvas.Fill(left, 0, right, barsBottom, kBars[i]);
    }
}

void DrawMovingBlock(Canvas& canvas, int top, int bottom, uint64_t frameNumber) {
    const int side = std::max(2, bottom - top);
    const int travel = canvas.width() + side;
    const int step = std::max(1, canvas.width() / 64);
    const int left = static_cast<int>((frameNumber * step) % travel) - side;
    canvas.Fill(left, top, left + side, bottom, {255, 255, 255});
}

void DrawDigit(Canvas& canvas, int left, int top, int digitWidth, int digitHeight, int digit) {
    const int t = std::max(1, digitWidth / 5);
    const int mid = top + digitHeight / 2;
    const int right = left + digitWidth;
    const int bottom = top + digitHeight;
    const Bgrx on{0, 255, 255};
    const uint8_t segments = kDigitSegments[digit];
    if (segments & 0x01) canvas.Fill(left, top, right, top + t, on);
    if (segments & 0x02) canvas.Fill(right - t, top, right, mid, on);
    if (segments & 0x04) canvas.Fill(right - t, mid, right, bottom, on);
    if (segments & 0x08) canvas.Fill(left, bottom - t, right, bottom, on);
    if (segments & 0x10) canvas.Fill(left, mid, left + t, bottom, on);
    if (segments & 0x20) canvas.Fill(left, top, left + t, mid, on);
    if (segments & 0x40) canvas.Fill(left, mid - t / 2, right, mid - t / 2 + t, on);
}

void DrawCounter(Canvas& canvas, int top, int bottom, uint64_t frameNumber) {
    const int digitHeight = std::max(5, (bottom - top) * 3 / 4);
    const int digitWidth = std::max(3, digitHeight / 2);
    const int pitch = digitWidth + std::max(1, digitWidth / 3);
    const int left = (canvas.width() - pitch * kCounterDigits) / 2;
    const int digitTop = top + (bottom - top - digitHeight) / 2;
    uint64_t value = frameNumber;
    for (int i = kCounterDigits - 1; i >= 0; --i) {
        DrawDigit(canvas, left + i * pitch, digitTop, digitWidth, digitHeight,
                  static_cast<int>(value % 10));
        value /= 10;
    }
}

}  // namespace

void DrawSyntheticPicture(int width, int height, uint64_t frameNumber, uint8_t* bgrxTopRowFirst) {
    Canvas canvas(width, height, bgrxTopRowFirst);
    const int barsBottom = height * 2 / 3;
    const int blockBottom = barsBottom + (height - barsBottom) / 3;
    canvas.Fill(0, 0, width, height, {16, 16, 16});
    DrawBars(canvas, barsBottom);
    DrawMovingBlock(canvas, barsBottom, blockBottom, frameNumber);
    DrawCounter(canvas, blockBottom, height, frameNumber);
}
