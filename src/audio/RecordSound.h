#pragma once

#include <atomic>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

#include "audio/CaptureDevice.h"
#include "audio/LineLog.h"
#include "audio/MessageThread.h"
#include "audio/SpeechBlocks.h"
#include "audio/SpeechFormat.h"

class MessageBoxes;

// The capture thread: records the default sound input in 1024-byte blocks
// with exactly two buffers in circulation, codes each block into the shared
// send block and hands it to the sender. Driven by WM_RECORDSOUND_START and
// the device's MM_WIM_DATA notices on its own message queue.
class RecordSound {
public:
    // Sends one coded block; wired to MediaSessions::SendAudioBlock. Runs on
    // the capture thread, which waits for it.
    using BlockSender = std::function<void(const CodedBlock& coded)>;

    struct Options {
        unsigned sampleRateHz = 8000;
        std::filesystem::path logPath = "recording.log";
        std::string device = "default";
        // The ALSA input unless a test brings its own.
        CaptureDevice::Factory makeDevice;
    };

    RecordSound(MessageBoxes& boxes, SpeechBlocks& blocks, BlockSender send, Options options);
    ~RecordSound();
    RecordSound(const RecordSound&) = delete;
    RecordSound& operator=(const RecordSound&) = delete;

    // Queues WM_RECORDSOUND_START (the only message others post here).
    void PostStart();
    // Between two messages; Pause returns once the thread rests. The device
    // stays open meanwhile and its finished buffers wait in the queue.
    void Pause();
    void Resume();

    bool IsCapturing() const { return capturing_.load(); }
    // Buffers that came back with less than a full block, requeued uncoded.
    uint64_t ShortBuffers() const { return shortBuffers_.load(); }
    uint64_t Overruns() const { return overruns_.load(); }

private:
    void Handle(ThreadMessage& message);
    void StartRecording();
    bool OpenInput();
    void QueueBuffers();
    void HandleBuffer(std::vector<uint8_t> buffer);
    void ShowDeviceError(const char* operation, int error);

    LineLog log_;
    MessageBoxes& boxes_;
    SpeechBlocks& blocks_;
    BlockSender send_;
    Options options_;
    std::atomic<bool> capturing_{false};
    std::atomic<uint64_t> shortBuffers_{0};
    std::atomic<uint64_t> overruns_{0};
    std::unique_ptr<CaptureDevice> input_;
    // Last, so that it starts after and stops before everything it uses.
    MessageThread thread_;
};
