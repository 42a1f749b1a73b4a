#pragma once

#include <atomic>
#include <filesystem>
#include <string>

#include "audio/AlsaPcm.h"
#include "audio/LineLog.h"
#include "audio/MessageThread.h"
#include "audio/PcmBlockSink.h"

class MessageBoxes;
struct MediaCounters;

// The playback thread: opens and closes the default sound output on
// WM_PLAYSOUND_START / WM_PLAYSOUND_STOP and queues every block that arrives
// with WM_PLAYSOUND_BLOCK to it at once, in arrival order. ALSA copies the
// samples into its ring when they are written, so the thread's own copy of a
// block is released right after the write.
class PlaySound1 : public PcmBlockSink {
public:
    struct Options {
        unsigned sampleRateHz = 8000;
        std::filesystem::path logPath = "playsound.log";
        std::string device = "default";
    };

    PlaySound1(MessageBoxes& boxes, MediaCounters& counters, Options options);
    ~PlaySound1() override;
    PlaySound1(const PlaySound1&) = delete;
    PlaySound1& operator=(const PlaySound1&) = delete;

    // WM_PLAYSOUND_START, WM_PLAYSOUND_STOP or WM_PLAYSOUND_END.
    void Post(uint32_t message);
    // WM_PLAYSOUND_BLOCK with a copy that the playback thread owns.
    void PlayBlock(const PcmBlock& block) override;

    bool IsOpen() const { return open_.load(); }
    // True once WM_PLAYSOUND_END has been handled.
    bool HasEnded() const { return thread_.HasEnded(); }
    uint64_t Underruns() const { return underruns_.load(); }

private:
    void Handle(ThreadMessage& message);
    void StartPlaying();
    void StopPlaying();
    void PlayOwnedBlock(const std::vector<uint8_t>& block);
    bool WriteBlock(const std::vector<uint8_t>& block);
    void EndPlaying();

    AlsaPcm::Format format_;
    std::atomic<bool> open_{false};
    AlsaPcm pcm_;
    LineLog log_;
    MessageBoxes& boxes_;
    MediaCounters& counters_;
    std::string device_;
    std::atomic<uint64_t> underruns_{0};
    // Last, so that it starts after and stops before everything it uses.
    MessageThread thread_;
};
