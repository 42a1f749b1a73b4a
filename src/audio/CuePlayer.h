#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "audio/CueSound.h"

// Plays short sound cues ("call.wav" while a call rings, "camera.wav" for a
// snapshot) on its own thread, so the caller never waits for the device.
// A missing or unreadable file falls back to a built-in sound; without a
// sound device nothing is heard and nothing is reported.
class CuePlayer {
public:
    enum class Fallback { RingTone, ShutterClick };

    explicit CuePlayer(std::string device = "default");
    // Stops the cue in hand and joins the thread.
    ~CuePlayer();
    CuePlayer(const CuePlayer&) = delete;
    CuePlayer& operator=(const CuePlayer&) = delete;

    // Returns at once; a cue still playing is cut off by the new one.
    void Play(const std::filesystem::path& wavPath, Fallback fallback);
    // Returns at once; the sound ends within one short period.
    void Stop();
    // True from Play until the cue has ended or been stopped.
    bool IsPlaying() const;

private:
    struct Request {
        std::filesystem::path wavPath;
        Fallback fallback;
    };

    void Run();
    bool WaitForRequest(Request& request, uint64_t& generation);
    bool IsCancelled(uint64_t generation) const;
    void PlayCue(const Request& request, uint64_t generation);

    std::string device_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::optional<Request> pending_;
    uint64_t generation_ = 0;  // bumped by every Play and Stop
    bool playing_ = false;
    bool ending_ = false;
    std::thread thread_;
};
