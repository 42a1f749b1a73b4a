#include "audio/RecordSound.h"

#include <cstdio>
#include <cstdlib>
#include <new>

#include "app/MessageBoxes.h"
#include "audio/AlawCodec.h"
#include "audio/AlsaPcm.h"
#include "audio/SoundInput.h"

namespace {

constexpr int kBuffersInCirculation = 2;

std::unique_ptr<CaptureDevice> MakeAlsaInput(CaptureDevice::BufferDone done,
                                             std::atomic<uint64_t>& overruns) {
    return std::make_unique<SoundInput>(std::move(done), overruns);
}

RecordSound::Options WithAlsaByDefault(RecordSound::Options options) {
    if (!options.makeDevice) options.makeDevice = MakeAlsaInput;
    return options;
}

}  // namespace

RecordSound::RecordSound(MessageBoxes& boxes, SpeechBlocks& blocks, BlockSender send,
                         Options options)
    : log_(options.logPath),
      boxes_(boxes),
      blocks_(blocks),
      send_(std::move(send)),
      options_(WithAlsaByDefault(std::move(options))),
      thread_([this](ThreadMessage& message) { Handle(message); }) {
    log_.Write("In the Recordsound Constructor\n");
}

RecordSound::~RecordSound() {
    // No handler may run while the device goes, and the device's last
    // notices find the queue closed.
    thread_.Stop();
    input_.reset();
}

void RecordSound::PostStart() { thread_.Post({WM_RECORDSOUND_START, {}}); }

void RecordSound::Pause() { thread_.Pause(); }

void RecordSound::Resume() { thread_.Resume(); }

void RecordSound::Handle(ThreadMessage& message) {
    if (message.id == WM_RECORDSOUND_START) StartRecording();
    if (message.id == MM_WIM_DATA) HandleBuffer(std::move(message.block));
}

void RecordSound::StartRecording() {
    if (capturing_) return;
    log_.Write("In OnStartrecording\n");
    if (!AlsaPcm::HasCaptureDevice()) boxes_.Inform("无音频录入设备！");
    if (!OpenInput()) return;
    QueueBuffers();
    const int error = input_->Start();
    if (error < 0) {
        ShowDeviceError("Start", error);
        input_.reset();
        return;
    }
    capturing_ = true;
}

bool RecordSound::OpenInput() {
    input_.reset();
    auto input = options_.makeDevice(
        [this](std::vector<uint8_t> buffer) {
            thread_.Post({MM_WIM_DATA, std::move(buffer)});
        },
        overruns_);
    const int error = input->Open(options_.device, options_.sampleRateHz);
    if (error < 0) {
        ShowDeviceError("Open", error);
        return false;
    }
    input_ = std::move(input);
    return true;
}

void RecordSound::QueueBuffers() {
    for (int i = 0; i < kBuffersInCirculation; ++i) {
        try {
            input_->Queue(std::vector<uint8_t>(kPcmBlockBytes));
        } catch (const std::bad_alloc&) {
            log_.Write("\n Unable to allocate the memory");
        }
    }
}

void RecordSound::HandleBuffer(std::vector<uint8_t> buffer) {
    if (!capturing_) return;
    if (buffer.size() != kPcmBlockBytes) {
        // Requeued rather than dropped: two short buffers would otherwise
        // end capture for the rest of the run.
        ++shortBuffers_;
        buffer.resize(kPcmBlockBytes);
        input_->Queue(std::move(buffer));
        return;
    }
    CodedBlock coded;
    EncodeAlawBlock(coded.data(), buffer.data(), kPcmBlockBytes);
    blocks_.StoreSendBlock(coded);
    send_(coded);
    if (capturing_) input_->Queue(std::move(buffer));
}

void RecordSound::ShowDeviceError(const char* operation, int error) {
    char text[400];
    std::snprintf(text, sizeof text, "RECORD: %s : %x : %s", operation,
                  static_cast<unsigned>(std::abs(error)), AlsaPcm::ErrorText(error).c_str());
    boxes_.Inform(text);
}
