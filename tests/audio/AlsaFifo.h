#pragma once

#include <atomic>
#include <chrono>
#include <filesystem>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

#include "audio/SpeechFormat.h"

// ALSA's "default" device inside this test process, made of the file plugin
// over the null device: capture reads a named pipe that the test writes,
// playback writes a file that the test reads.
class AlsaFifo {
public:
    // File: playback is written at once, as fast as the device takes it.
    // PacedPipe: playback goes through a small pipe that the test drains at
    // the real pace of 8000 Hz, so that playing takes real time.
    enum class Playback { File, PacedPipe };

    explicit AlsaFifo(Playback playback = Playback::File);
    // Stops the writer and removes the files.
    ~AlsaFifo();

    // Writes the blocks into the capture pipe on a thread of its own, one
    // every pause (the device's real pace), then closes the pipe.
    void StartWriting(std::vector<PcmBlock> blocks, std::chrono::milliseconds pause);
    std::vector<uint8_t> ReadPlayed() const;
    const std::filesystem::path& Folder() const { return folder_; }

    // Points ALSA at a configuration without any device.
    static void UseConfigWithoutDevices();

private:
    void Write(std::vector<PcmBlock> blocks, std::chrono::milliseconds pause);
    void Drain();

    std::filesystem::path folder_;
    std::atomic<bool> stopping_{false};
    std::thread writer_;
    std::thread drainer_;
    mutable std::mutex drainedMutex_;
    std::vector<uint8_t> drained_;
    Playback playback_;
};

// 440 Hz at 8000 Hz in consecutive blocks.
std::vector<PcmBlock> MakeToneBlocks(size_t count);

// Polls the condition every few milliseconds for up to timeout.
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

std::string ReadTextFile(const std::filesystem::path& path);
