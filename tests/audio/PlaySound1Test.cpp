#include "audio/PlaySound1.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include "AlsaFifo.h"
#include "FakeMessageBoxes.h"
#include "audio/AlawCodec.h"
#include "audio/SpeechBlocks.h"
#include "call/MediaCounters.h"

namespace {

class PlaySound1Test : public ::testing::Test {
protected:
    PlaySound1::Options Options() const { return {8000, folder_ / "playsound.log", "default"}; }
    std::string Log() const { return ReadTextFile(folder_ / "playsound.log"); }

    AlsaFifo fifo_;
    std::filesystem::path folder_ = fifo_.Folder();
    FakeMessageBoxes boxes_;
    MediaCounters counters_;
};

TEST_F(PlaySound1Test, ReceivedBlocksArePlayedAsDecodedSamplesInOrder) {
    const auto tone = MakeToneBlocks(10);
    std::vector<uint8_t> expected;
    {
        PlaySound1 play(boxes_, counters_, Options());
        SpeechBlocks blocks;
        play.Post(WM_PLAYSOUND_START);
        for (const auto& pcm : tone) {
            CodedBlock coded;
            EncodeAlawBlock(coded.data(), pcm.data(), pcm.size());
            blocks.PlayReceivedAudio(coded, play);
            const PcmBlock decoded = blocks.RemotePcm();
            expected.insert(expected.end(), decoded.begin(), decoded.end());
        }
        ASSERT_TRUE(WaitUntil([&] { return counters_.audioBlocksPlayed == tone.size(); }));
        play.Post(WM_PLAYSOUND_END);
        ASSERT_TRUE(WaitUntil([&] { return play.HasEnded(); }));
    }
    EXPECT_EQ(fifo_.ReadPlayed(), expected);
    EXPECT_EQ(counters_.audioBlocksPlayed, tone.size());
    EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(PlaySound1Test, LogHoldsExactlyTheLinesOfStartStopAndEnd) {
    PlaySound1 play(boxes_, counters_, Options());
    for (uint32_t message : {WM_PLAYSOUND_START, WM_PLAYSOUND_START, WM_PLAYSOUND_STOP,
                             WM_PLAYSOUND_STOP, WM_PLAYSOUND_END}) {
        play.Post(message);
    }
    ASSERT_TRUE(WaitUntil([&] { return play.HasEnded(); }));
    EXPECT_EQ(Log(),
              "\n In the constructor of Play sound\n Starting playing\n Stopped  playing"
              "\nEnding the play device");
    EXPECT_FALSE(play.IsOpen());
}

TEST_F(PlaySound1Test, EndWhileClosedWritesOnlyTheEndingLine) {
    PlaySound1 play(boxes_, counters_, Options());
    play.Post(WM_PLAYSOUND_STOP);
    play.Post(WM_PLAYSOUND_END);
    ASSERT_TRUE(WaitUntil([&] { return play.HasEnded(); }));
    play.Post(WM_PLAYSOUND_START);  // nothing is handled after the end
    EXPECT_EQ(Log(), "\n In the constructor of Play sound\nEnding the play device");
}

TEST(PlaySound1WithoutDeviceTest, ShowsTheDeviceBoxAndBlocksFailToPrepare) {
    AlsaFifo::UseConfigWithoutDevices();
    FakeMessageBoxes boxes;
    MediaCounters counters;
    const auto log =
        std::filesystem::temp_directory_path() / ("vp-play-" + std::to_string(::getpid()) + ".log");
    PlaySound1 play(boxes, counters, {8000, log, "default"});
    play.Post(WM_PLAYSOUND_START);
    play.PlayBlock(PcmBlock{});
    play.Post(WM_PLAYSOUND_END);
    ASSERT_TRUE(WaitUntil([&] { return play.HasEnded(); }));
    ASSERT_EQ(boxes.Texts().size(), 1u);
    EXPECT_TRUE(IsDeviceErrorBox(boxes.Texts()[0], "PLAY : PlayStart :", ":")) << boxes.Texts()[0];
    EXPECT_EQ(ReadTextFile(log),
              "\n In the constructor of Play sound\n Starting playing"
              "\nError while preparing header\nEnding the play device");
    EXPECT_EQ(counters.audioBlocksPlayed, 0u);
    std::filesystem::remove(log);
}

}  // namespace
