#include "audio/SoundInput.h"

#include <cerrno>
#include <chrono>

#include "audio/SpeechFormat.h"

namespace {
// ALSA's own ring holds a few periods beyond the two buffers in circulation.
constexpr unsigned kRingPeriods = 4;
}  // namespace

SoundInput::SoundInput(BufferDone done, std::atomic<uint64_t>& overruns)
    : done_(std::move(done)), overruns_(overruns) {}

SoundInput::~SoundInput() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    queued_.notify_all();
    if (reader_.joinable()) reader_.join();
}

int SoundInput::Open(const std::string& device, unsigned rateHz) {
    rateHz_ = rateHz;
    return pcm_.Open(device, AlsaPcm::Direction::Capture, AlsaPcm::Format{rateHz, 1, 16},
                     kBlockFrames, kRingPeriods);
}

void SoundInput::Queue(std::vector<uint8_t> buffer) {
    {
        std::lock_guard lock(mutex_);
        buffers_.push_back(std::move(buffer));
    }
    queued_.notify_all();
}

int SoundInput::Start() {
    if (!pcm_.IsOpen()) return -EBADFD;
    if (!reader_.joinable()) reader_ = std::thread([this] { Run(); });
    return 0;
}

bool SoundInput::TakeBuffer(std::vector<uint8_t>& buffer) {
    std::unique_lock lock(mutex_);
    queued_.wait(lock, [this] { return stopping_ || !buffers_.empty(); });
    if (stopping_) return false;
    buffer = std::move(buffers_.front());
    buffers_.pop_front();
    return true;
}

void SoundInput::Fill(std::vector<uint8_t>& buffer) {
    const unsigned long frameCount = buffer.size() / pcm_.FrameBytes();
    unsigned long filled = 0;
    while (filled < frameCount && !stopping_) {
        const long got = pcm_.Read(buffer.data() + filled * pcm_.FrameBytes(), frameCount - filled);
        if (got > 0) {
            filled += static_cast<unsigned long>(got);
        } else if (got == 0) {
            break;  // end of the input: hand back what there is
        } else {
            ++overruns_;
            if (pcm_.Recover(static_cast<int>(got)) < 0) break;
        }
    }
    buffer.resize(filled * pcm_.FrameBytes());
}

// A device that ended or failed returns short buffers at once; resting one
// block's time keeps it from spinning.
void SoundInput::RestAfterShortBuffer() {
    const auto blockTime = std::chrono::milliseconds(1000 * kBlockFrames / rateHz_);
    std::unique_lock lock(mutex_);
    queued_.wait_for(lock, blockTime, [this] { return stopping_.load(); });
}

void SoundInput::Run() {
    std::vector<uint8_t> buffer;
    while (TakeBuffer(buffer)) {
        buffer.resize(kPcmBlockBytes);
        Fill(buffer);
        const bool shortBuffer = buffer.size() < kPcmBlockBytes;
        done_(std::move(buffer));
        if (shortBuffer) RestAfterShortBuffer();
    }
}
