#include "audio/CuePlayer.h"

#include <algorithm>

#include "audio/AlsaPcm.h"
#include "audio/BuiltinCues.h"
#include "audio/WavReader.h"

namespace {

// Short periods keep Stop quick; the small ring keeps the final drain short.
constexpr unsigned kPeriodsPerSecond = 50;
constexpr unsigned kRingPeriods = 4;

CueSound LoadCue(const std::filesystem::path& wavPath, CuePlayer::Fallback fallback) {
    if (auto sound = ReadWavFile(wavPath)) return *sound;
    return fallback == CuePlayer::Fallback::RingTone ? MakeRingTone() : MakeShutterClick();
}

}  // namespace

CuePlayer::CuePlayer(std::string device) : device_(std::move(device)), thread_([this] { Run(); }) {}

CuePlayer::~CuePlayer() {
    {
        std::lock_guard lock(mutex_);
        ending_ = true;
        ++generation_;
    }
    wake_.notify_all();
    thread_.join();
}

void CuePlayer::Play(const std::filesystem::path& wavPath, Fallback fallback) {
    {
        std::lock_guard lock(mutex_);
        pending_ = Request{wavPath, fallback};
        ++generation_;
        playing_ = true;
    }
    wake_.notify_all();
}

void CuePlayer::Stop() {
    std::lock_guard lock(mutex_);
    pending_.reset();
    ++generation_;
    playing_ = false;
}

bool CuePlayer::IsPlaying() const {
    std::lock_guard lock(mutex_);
    return playing_;
}

bool CuePlayer::IsCancelled(uint64_t generation) const {
    std::lock_guard lock(mutex_);
    return generation != generation_;
}

bool CuePlayer::WaitForRequest(Request& request, uint64_t& generation) {
    std::unique_lock lock(mutex_);
    wake_.wait(lock, [this] { return ending_ || pending_.has_value(); });
    if (ending_) return false;
    request = std::move(*pending_);
    pending_.reset();
    generation = generation_;
    return true;
}

void CuePlayer::Run() {
    Request request;
    uint64_t generation = 0;
    while (WaitForRequest(request, generation)) {
        PlayCue(request, generation);
        std::lock_guard lock(mutex_);
        if (generation == generation_) playing_ = false;
    }
}

void CuePlayer::PlayCue(const Request& request, uint64_t generation) {
    const CueSound sound = LoadCue(request.wavPath, request.fallback);
    const unsigned long periodFrames = sound.format.rateHz / kPeriodsPerSecond;
    AlsaPcm pcm;
    if (pcm.Open(device_, AlsaPcm::Direction::Playback, sound.format, periodFrames, kRingPeriods) <
        0) {
        return;
    }
    const unsigned long totalFrames = sound.bytes.size() / pcm.FrameBytes();
    unsigned long written = 0;
    while (written < totalFrames && !IsCancelled(generation)) {
        const unsigned long chunk = std::min(periodFrames, totalFrames - written);
        const long result = pcm.Write(sound.bytes.data() + written * pcm.FrameBytes(), chunk);
        if (result > 0) {
            written += static_cast<unsigned long>(result);
        } else if (result == 0 || pcm.Recover(static_cast<int>(result)) < 0) {
            return;
        }
    }
    if (IsCancelled(generation)) {
        pcm.Drop();
    } else {
        pcm.Drain();
    }
}
