#pragma once

#include <string>

// One ALSA PCM stream, interleaved signed 16-bit (or unsigned 8-bit) samples.
// The only place that talks to ALSA's PCM interface: it owns the handle and
// hands ALSA's negative error codes back as results.
class AlsaPcm {
public:
    enum class Direction { Capture, Playback };

    struct Format {
        unsigned rateHz = 8000;
        unsigned channels = 1;
        unsigned bitsPerSample = 16;
    };

    AlsaPcm() = default;
    ~AlsaPcm();
    AlsaPcm(const AlsaPcm&) = delete;
    AlsaPcm& operator=(const AlsaPcm&) = delete;

    // Opens the named device with periods of periodFrames and a ring of
    // ringPeriods periods. Returns 0 or ALSA's (negative) error code.
    int Open(const std::string& device, Direction direction, const Format& format,
             unsigned long periodFrames, unsigned ringPeriods);
    bool IsOpen() const { return pcm_ != nullptr; }

    // Frames transferred, or a negative error code. Blocking.
    long Read(void* frames, unsigned long frameCount);
    long Write(const void* frames, unsigned long frameCount);

    // Brings the stream back after an over- or underrun (or a suspend);
    // returns 0 when it did.
    int Recover(int error);
    // Throws away whatever is queued and stops the stream.
    int Drop();
    // Plays out what is queued, then stops the stream.
    int Drain();
    void Close();

    unsigned FrameBytes() const { return frameBytes_; }

    static std::string ErrorText(int error);
    // True when ALSA knows a default capture device: a sound card, or a
    // "default" device of the configuration that can capture.
    static bool HasCaptureDevice();

private:
    void* pcm_ = nullptr;  // snd_pcm_t*, kept opaque so that no ALSA header leaks
    unsigned frameBytes_ = 2;
};
