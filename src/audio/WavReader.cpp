#include "audio/WavReader.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace {

// Larger files are not cues; the limit keeps a stray file from filling memory.
constexpr size_t kMaxWavBytes = 16 * 1024 * 1024;

uint32_t ReadLe32(const uint8_t* p) {
    return p[0] | (p[1] << 8) | (p[2] << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

uint16_t ReadLe16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

bool ParseFormat(const uint8_t* chunk, uint32_t size, AlsaPcm::Format& format) {
    if (size < 16 || ReadLe16(chunk) != 1) return false;  // PCM only
    format.channels = ReadLe16(chunk + 2);
    format.rateHz = ReadLe32(chunk + 4);
    format.bitsPerSample = ReadLe16(chunk + 14);
    const bool channelsOk = format.channels == 1 || format.channels == 2;
    const bool bitsOk = format.bitsPerSample == 8 || format.bitsPerSample == 16;
    return channelsOk && bitsOk && format.rateHz >= 1000 && format.rateHz <= 192000;
}

std::optional<CueSound> ParseWav(const std::vector<uint8_t>& file) {
    if (file.size() < 12 || std::memcmp(file.data(), "RIFF", 4) != 0 ||
        std::memcmp(file.data() + 8, "WAVE", 4) != 0) {
        return std::nullopt;
    }
    CueSound sound;
    bool haveFormat = false;
    size_t offset = 12;
    while (offset + 8 <= file.size()) {
        const uint8_t* header = file.data() + offset;
        const uint32_t size = ReadLe32(header + 4);
        const size_t available = file.size() - offset - 8;
        if (std::memcmp(header, "fmt ", 4) == 0) {
            if (size > available || !ParseFormat(header + 8, size, sound.format))
                return std::nullopt;
            haveFormat = true;
        } else if (std::memcmp(header, "data", 4) == 0 && haveFormat) {
            const size_t dataBytes = size < available ? size : available;  // tolerate a cut file
            sound.bytes.assign(header + 8, header + 8 + dataBytes);
            return sound;
        }
        if (size > available) return std::nullopt;
        offset += 8 + size + (size & 1);  // chunks are padded to even sizes
    }
    return std::nullopt;
}

}  // namespace

std::optional<CueSound> ReadWavFile(const std::filesystem::path& path) {
    std::error_code error;
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > kMaxWavBytes) return std::nullopt;
    std::ifstream in(path, std::ios::binary);
    if (!in) return std::nullopt;
    const std::vector<uint8_t> file{std::istreambuf_iterator<char>(in),
                                    std::istreambuf_iterator<char>()};
    return ParseWav(file);
}
