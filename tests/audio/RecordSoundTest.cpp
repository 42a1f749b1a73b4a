#include "audio/RecordSound.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <mutex>

#include "AlsaFifo.h"
#include "FakeCaptureDevice.h"
#include "FakeMessageBoxes.h"
#include "audio/AlawCodec.h"
#include "audio/AlsaPcm.h"

namespace {

using namespace std::chrono_literals;

CodedBlock Encoded(const PcmBlock& pcm) {
    CodedBlock coded;
    EncodeAlawBlock(coded.data(), pcm.data(), pcm.size());
    return coded;
}

// Keeps every block the capture thread sends.
class SentBlocks {
public:
    RecordSound::BlockSender Sender() {
        return [this](const CodedBlock& coded) {
            std::lock_guard lock(mutex_);
            blocks_.push_back(coded);
        };
    }
    std::vector<CodedBlock> Blocks() const {
        std::lock_guard lock(mutex_);
        return blocks_;
    }
    size_t Count() const { return Blocks().size(); }

private:
    mutable std::mutex mutex_;
    std::vector<CodedBlock> blocks_;
};

class RecordSoundTest : public ::testing::Test {
protected:
    RecordSound::Options Options() const {
        return {8000, fifo_.Folder() / "recording.log", "default", {}};
    }

    AlsaFifo fifo_;
    FakeMessageBoxes boxes_;
    SpeechBlocks blocks_;
    SentBlocks sent_;
};

TEST_F(RecordSoundTest, ToneFromTheDeviceIsSentAsAlawBlocksInOrder) {
    const auto tone = MakeToneBlocks(12);
    fifo_.StartWriting(tone, 64ms);
    RecordSound record(boxes_, blocks_, sent_.Sender(), Options());
    record.PostStart();
    ASSERT_TRUE(WaitUntil([&] { return sent_.Count() >= tone.size(); }));
    record.Pause();
    const auto sent = sent_.Blocks();
    for (size_t i = 0; i < tone.size(); ++i) {
        ASSERT_EQ(sent[i].size(), 512u);
        EXPECT_EQ(sent[i], Encoded(tone[i])) << "block " << i;
    }
    EXPECT_EQ(blocks_.SendBlock(), sent.back());
    EXPECT_TRUE(record.IsCapturing());
    EXPECT_TRUE(boxes_.Texts().empty());
}

TEST_F(RecordSoundTest, PauseHoldsBlocksAndResumeSendsThoseCapturedBeforeWithoutReopening) {
    const auto tone = MakeToneBlocks(40);
    fifo_.StartWriting(tone, 64ms);
    RecordSound record(boxes_, blocks_, sent_.Sender(), Options());
    record.PostStart();
    ASSERT_TRUE(WaitUntil([&] { return sent_.Count() >= 4; }));
    record.Pause();
    const size_t sentBeforePause = sent_.Count();
    std::this_thread::sleep_for(400ms);
    EXPECT_EQ(sent_.Count(), sentBeforePause);

    record.Resume();
    record.PostStart();  // as the send switch does; ignored while capturing
    ASSERT_TRUE(WaitUntil([&] { return sent_.Count() >= sentBeforePause + 3; }));
    record.Pause();
    EXPECT_EQ(sent_.Blocks()[sentBeforePause], Encoded(tone[sentBeforePause]));
    EXPECT_EQ(ReadTextFile(Options().logPath),
              "In the Recordsound Constructor\nIn OnStartrecording\n");
}

TEST(RecordSoundFakeDeviceTest, ShortBuffersAreRequeuedUncodedAndCaptureGoesOn) {
    auto device = std::make_shared<FakeCaptureDevice::Shared>();
    FakeMessageBoxes boxes;
    SpeechBlocks blocks;
    SentBlocks sent;
    const auto log = std::filesystem::temp_directory_path() /
                     ("vp-rec-fake-" + std::to_string(::getpid()) + ".log");
    RecordSound::Options options{8000, log, "default", FakeCaptureDevice::MakeFactory(device)};
    RecordSound record(boxes, blocks, sent.Sender(), options);
    record.PostStart();
    ASSERT_TRUE(WaitUntil([&] { return FakeCaptureDevice::Queued(*device) == 2; }));

    // More short buffers than there are buffers: capture must survive them.
    for (size_t bytes : {1000u, 0u, 1022u}) {
        ASSERT_TRUE(FakeCaptureDevice::Finish(*device, bytes, 0x11));
        ASSERT_TRUE(WaitUntil([&] { return FakeCaptureDevice::Queued(*device) == 2; }));
    }
    EXPECT_EQ(record.ShortBuffers(), 3u);
    EXPECT_EQ(sent.Count(), 0u);

    ASSERT_TRUE(FakeCaptureDevice::Finish(*device, kPcmBlockBytes, 0x00));
    ASSERT_TRUE(WaitUntil([&] { return sent.Count() == 1; }));
    CodedBlock silence;
    silence.fill(0xD5);
    EXPECT_EQ(sent.Blocks()[0], silence);
    ASSERT_TRUE(WaitUntil([&] { return FakeCaptureDevice::Queued(*device) == 2; }));
    record.Pause();
    EXPECT_EQ(device->opens, 1);
    std::filesystem::remove(log);
}

TEST(RecordSoundWithoutDeviceTest, ShowsTheDeviceBoxesAndStaysOff) {
    AlsaFifo::UseConfigWithoutDevices();
    FakeMessageBoxes boxes;
    SpeechBlocks blocks;
    SentBlocks sent;
    const auto folder = std::filesystem::temp_directory_path();
    RecordSound record(
        boxes, blocks, sent.Sender(),
        {8000, folder / ("vp-rec-" + std::to_string(::getpid()) + ".log"), "default", {}});
    record.PostStart();
    const size_t expectedBoxes = AlsaPcm::HasCaptureDevice() ? 1 : 2;
    ASSERT_TRUE(WaitUntil([&] { return boxes.Texts().size() >= expectedBoxes; }));
    record.Pause();
    const auto texts = boxes.Texts();
    if (expectedBoxes == 2) {
        EXPECT_EQ(texts[0], "无音频录入设备！");
    }
    EXPECT_TRUE(IsDeviceErrorBox(texts.back(), "RECORD: Open : ", " : ")) << texts.back();
    EXPECT_FALSE(record.IsCapturing());
    EXPECT_EQ(sent.Count(), 0u);
}

}  // namespace
