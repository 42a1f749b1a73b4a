#include "audio/WavReader.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

// A 16-bit mono 8000 Hz file holding the four samples 1, 2, -1, 0x1234.
const std::vector<uint8_t> kWav = {
    'R', 'I', 'F', 'F', 44,   0,    0,    0,    'W',  'A',  'V', 'E',  // header
    'f', 'm', 't', ' ', 16,   0,    0,    0,                           // fmt chunk
    1,   0,   1,   0,   0x40, 0x1F, 0,    0,    0x80, 0x3E, 0,   0,
    2,   0,   16,  0,                         // PCM, 1 ch, 8000 Hz
    'd', 'a', 't', 'a', 8,    0,    0,    0,  // data chunk
    1,   0,   2,   0,   0xFF, 0xFF, 0x34, 0x12,
};

class WavReaderTest : public ::testing::Test {
protected:
    std::filesystem::path Write(const std::vector<uint8_t>& bytes) {
        std::ofstream out(path_, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path_;
    }
    void TearDown() override { std::filesystem::remove(path_); }

    std::filesystem::path path_ =
        std::filesystem::temp_directory_path() / ("vp-wav-" + std::to_string(::getpid()) + ".wav");
};

TEST_F(WavReaderTest, ReadsFormatAndSamples) {
    const auto sound = ReadWavFile(Write(kWav));
    ASSERT_TRUE(sound.has_value());
    EXPECT_EQ(sound->format.rateHz, 8000u);
    EXPECT_EQ(sound->format.channels, 1u);
    EXPECT_EQ(sound->format.bitsPerSample, 16u);
    EXPECT_EQ(sound->bytes, std::vector<uint8_t>(kWav.end() - 8, kWav.end()));
}

TEST_F(WavReaderTest, CutDataChunkKeepsWhatIsThere) {
    const std::vector<uint8_t> cut(kWav.begin(), kWav.end() - 3);
    const auto sound = ReadWavFile(Write(cut));
    ASSERT_TRUE(sound.has_value());
    EXPECT_EQ(sound->bytes.size(), 5u);
}

TEST_F(WavReaderTest, RejectsWhatIsNotPlainPcm) {
    struct Damage {
        const char* name;
        size_t offset;
        uint8_t value;
    };
    const Damage cases[] = {
        {"not RIFF", 0, 'X'},
        {"not WAVE", 8, 'X'},
        {"compressed (format tag 2)", 20, 2},
        {"six channels", 22, 6},
        {"12-bit samples", 34, 12},
        {"fmt chunk longer than the file", 16, 0xF0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        std::vector<uint8_t> damaged = kWav;
        damaged[c.offset] = c.value;
        EXPECT_FALSE(ReadWavFile(Write(damaged)).has_value());
    }
    EXPECT_FALSE(ReadWavFile(path_.string() + ".missing").has_value());
}

}  // namespace
