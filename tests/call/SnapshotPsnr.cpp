// Compares a snapshot BMP of the partner's picture with the synthetic test
// picture: prints the best luma PSNR over a range of frame numbers and the
// frame number that gave it.
//   snapshot_psnr FILE.bmp [FIRST_FRAME LAST_FRAME]
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "video/SyntheticPicture.h"

namespace {

int32_t ReadLe32(const std::vector<uint8_t>& bytes, std::size_t at) {
    return static_cast<int32_t>(bytes[at] | bytes[at + 1] << 8 | bytes[at + 2] << 16 |
                                static_cast<uint32_t>(bytes[at + 3]) << 24);
}

double Luma(double b, double g, double r) { return 0.299 * r + 0.587 * g + 0.114 * b; }

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: snapshot_psnr FILE.bmp [FIRST_FRAME LAST_FRAME]\n");
        return 2;
    }
    std::ifstream file(argv[1], std::ios::binary);
    const std::vector<uint8_t> bmp((std::istreambuf_iterator<char>(file)),
                                   std::istreambuf_iterator<char>());
    if (bmp.size() < 54 || bmp[0] != 'B' || bmp[1] != 'M') {
        std::fprintf(stderr, "not a BMP file\n");
        return 2;
    }
    const int width = ReadLe32(bmp, 18);
    const int height = ReadLe32(bmp, 22);
    const std::size_t offset = static_cast<std::size_t>(ReadLe32(bmp, 10));
    if (width <= 0 || height <= 0 || bmp.size() < offset + std::size_t(width) * height * 3) {
        std::fprintf(stderr, "unexpected BMP layout\n");
        return 2;
    }
    const uint64_t firstFrame = argc > 3 ? std::strtoull(argv[2], nullptr, 10) : 0;
    const uint64_t lastFrame = argc > 3 ? std::strtoull(argv[3], nullptr, 10) : 3000;

    // The snapshot is bottom-up 24-bit; the synthetic picture top row first.
    std::vector<double> snapshotLuma(std::size_t(width) * height);
    for (int row = 0; row < height; ++row) {
        const uint8_t* line = &bmp[offset + std::size_t(height - 1 - row) * width * 3];
        for (int col = 0; col < width; ++col) {
            snapshotLuma[std::size_t(row) * width + col] =
                Luma(line[col * 3], line[col * 3 + 1], line[col * 3 + 2]);
        }
    }
    std::vector<uint8_t> synthetic(std::size_t(width) * height * 4);
    double bestPsnr = 0;
    uint64_t bestFrame = firstFrame;
    for (uint64_t frame = firstFrame; frame <= lastFrame; ++frame) {
        DrawSyntheticPicture(width, height, frame, synthetic.data());
        double squaredError = 0;
        for (std::size_t i = 0; i < snapshotLuma.size(); ++i) {
            const uint8_t* p = &synthetic[i * 4];
            const double d = snapshotLuma[i] - Luma(p[0], p[1], p[2]);
            squaredError += d * d;
        }
        const double mse = squaredError / static_cast<double>(snapshotLuma.size());
        const double psnr = mse == 0 ? 99.0 : 10.0 * std::log10(255.0 * 255.0 / mse);
        if (psnr > bestPsnr) {
            bestPsnr = psnr;
            bestFrame = frame;
        }
    }
    std::printf("%.2f %llu\n", bestPsnr, static_cast<unsigned long long>(bestFrame));
    return 0;
}
