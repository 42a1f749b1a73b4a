#include "audio/CuePlayer.h"

#include <gtest/gtest.h>

#include <fstream>

#include "AlsaFifo.h"
#include "audio/BuiltinCues.h"

namespace {

using namespace std::chrono_literals;

// A mono 16-bit 8000 Hz WAV file holding the given sample bytes.
void WriteWav(const std::filesystem::path& path, const std::vector<uint8_t>& samples) {
    auto le32 = [](uint32_t v) {
        return std::vector<uint8_t>{uint8_t(v), uint8_t(v >> 8), uint8_t(v >> 16),
                                    uint8_t(v >> 24)};
    };
    std::vector<uint8_t> file = {'R', 'I', 'F', 'F'};
    auto append = [&file](const std::vector<uint8_t>& bytes) {
        file.insert(file.end(), bytes.begin(), bytes.end());
    };
    append(le32(36 + static_cast<uint32_t>(samples.size())));
    append({'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 1, 0});
    append(le32(8000));
    append(le32(16000));
    append({2, 0, 16, 0, 'd', 'a', 't', 'a'});
    append(le32(static_cast<uint32_t>(samples.size())));
    append(samples);
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(file.data()),
               static_cast<std::streamsize>(file.size()));
}

class CuePlayerTest : public ::testing::Test {
protected:
    AlsaFifo fifo_;
};

TEST_F(CuePlayerTest, PlaysTheWavFileWithoutBlockingTheCaller) {
    std::vector<uint8_t> samples(3200);
    for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<uint8_t>(i * 7);
    const auto wav = fifo_.Folder() / "camera.wav";
    WriteWav(wav, samples);
    {
        CuePlayer player;
        player.Play(wav, CuePlayer::Fallback::ShutterClick);
        EXPECT_TRUE(player.IsPlaying());
        ASSERT_TRUE(WaitUntil([&] { return !player.IsPlaying(); }));
    }
    EXPECT_EQ(fifo_.ReadPlayed(), samples);
}

TEST_F(CuePlayerTest, MissingFilesFallBackToTheBuiltInSounds) {
    const struct {
        const char* name;
        CuePlayer::Fallback fallback;
        CueSound sound;
    } cases[] = {
        {"call.wav", CuePlayer::Fallback::RingTone, MakeRingTone()},
        {"camera.wav", CuePlayer::Fallback::ShutterClick, MakeShutterClick()},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        {
            CuePlayer player;
            player.Play(fifo_.Folder() / c.name, c.fallback);
            ASSERT_TRUE(WaitUntil([&] { return !player.IsPlaying(); }));
        }
        EXPECT_EQ(fifo_.ReadPlayed(), c.sound.bytes);
    }
}

TEST(CuePlayerPacedTest, StopCutsTheRingShort) {
    AlsaFifo fifo(AlsaFifo::Playback::PacedPipe);
    const CueSound ring = MakeRingTone();
    {
        CuePlayer player;
        player.Play(fifo.Folder() / "call.wav", CuePlayer::Fallback::RingTone);
        std::this_thread::sleep_for(100ms);
        player.Stop();
        EXPECT_FALSE(player.IsPlaying());
    }
    std::this_thread::sleep_for(200ms);  // let the pipe run dry
    EXPECT_GT(fifo.ReadPlayed().size(), 0u);
    EXPECT_LT(fifo.ReadPlayed().size(), ring.bytes.size() / 2);
}

TEST(CuePlayerWithoutDeviceTest, PlaysSilentlyNothing) {
    AlsaFifo::UseConfigWithoutDevices();
    CuePlayer player;
    player.Play("call.wav", CuePlayer::Fallback::RingTone);
    EXPECT_TRUE(WaitUntil([&] { return !player.IsPlaying(); }));
}

}  // namespace
