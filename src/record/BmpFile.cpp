#include "record/BmpFile.h"

#include <fstream>

namespace {

void PutLittleEndian(uint8_t* at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) at[i] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::array<uint8_t, BmpFile::kHeaderBytes> BmpFile::Header(int width, int height) {
    const auto imageBytes = static_cast<uint32_t>(width) * static_cast<uint32_t>(height) * 3;
    std::array<uint8_t, kHeaderBytes> h{};
    h[0] = 'B';
    h[1] = 'M';
    PutLittleEndian(&h[2], kHeaderBytes + imageBytes, 4);
    PutLittleEndian(&h[10], kHeaderBytes, 4);
    PutLittleEndian(&h[14], 40, 4);  // info header size
    PutLittleEndian(&h[18], static_cast<uint32_t>(width), 4);
    PutLittleEndian(&h[22], static_cast<uint32_t>(height), 4);
    PutLittleEndian(&h[26], 1, 2);   // planes
    PutLittleEndian(&h[28], 24, 2);  // bits per pixel; compression BI_RGB stays 0
    PutLittleEndian(&h[34], imageBytes, 4);
    return h;
}

bool BmpFile::Write(const std::string& path, int width, int height,
                    std::span<const uint8_t> rgb24BottomUp) {
    const auto imageBytes = static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3;
    if (width <= 0 || height <= 0 || rgb24BottomUp.size() < imageBytes) return false;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    if (!file) return false;
    const auto header = Header(width, height);
    file.write(reinterpret_cast<const char*>(header.data()), header.size());
    file.write(reinterpret_cast<const char*>(rgb24BottomUp.data()),
               static_cast<std::streamsize>(imageBytes));
    file.close();
    return !file.fail();
}
