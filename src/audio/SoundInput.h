#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "audio/AlsaPcm.h"
#include "audio/CaptureDevice.h"

// The capture device as the capture thread sees it: buffers are queued to
// it, it fills them one after the other from ALSA and hands each one back
// when it is full. With no buffer queued it reads nothing, so ALSA overruns
// and drops sound; the overrun is recovered and counted when a buffer comes.
class SoundInput : public CaptureDevice {
public:
    // Each over-run is counted into overruns.
    SoundInput(BufferDone done, std::atomic<uint64_t>& overruns);
    // Stops reading (a buffer being filled comes back short) and closes.
    ~SoundInput() override;
    SoundInput(const SoundInput&) = delete;
    SoundInput& operator=(const SoundInput&) = delete;

    // Returns 0 or ALSA's error code.
    int Open(const std::string& device, unsigned rateHz) override;
    void Queue(std::vector<uint8_t> buffer) override;
    // Starts filling the queued buffers; returns 0 or ALSA's error code.
    int Start() override;

private:
    void Run();
    bool TakeBuffer(std::vector<uint8_t>& buffer);
    void Fill(std::vector<uint8_t>& buffer);
    void RestAfterShortBuffer();

    BufferDone done_;
    AlsaPcm pcm_;
    unsigned rateHz_ = 8000;
    std::mutex mutex_;
    std::condition_variable queued_;
    std::deque<std::vector<uint8_t>> buffers_;
    std::atomic<bool> stopping_{false};
    std::atomic<uint64_t>& overruns_;
    std::thread reader_;
};
