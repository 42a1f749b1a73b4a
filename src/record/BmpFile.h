#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <string>

// A 24-bit uncompressed BMP: 14-byte file header, 40-byte info header with a
// positive height (rows bottom row first), pixels B, G, R without padding.
class BmpFile {
public:
    static constexpr std::size_t kHeaderBytes = 54;

    static std::array<uint8_t, kHeaderBytes> Header(int width, int height);

    // Creates (or replaces) `path`; false when the file cannot be created or
    // written completely.
    static bool Write(const std::string& path, int width, int height,
                      std::span<const uint8_t> rgb24BottomUp);
};
