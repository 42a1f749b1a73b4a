#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A sound input that is handed empty buffers and hands each one back once
// it is filled (its size is then the number of bytes recorded). SoundInput
// is the ALSA one; tests hand buffers back themselves.
class CaptureDevice {
public:
    // Called on the device's own thread.
    using BufferDone = std::function<void(std::vector<uint8_t> buffer)>;
    // Makes a device that reports to done and counts its overruns.
    using Factory = std::function<std::unique_ptr<CaptureDevice>(BufferDone done,
                                                                 std::atomic<uint64_t>& overruns)>;

    virtual ~CaptureDevice() = default;
    // Each returns 0 or ALSA's (negative) error code.
    virtual int Open(const std::string& device, unsigned rateHz) = 0;
    virtual void Queue(std::vector<uint8_t> buffer) = 0;
    virtual int Start() = 0;
};
