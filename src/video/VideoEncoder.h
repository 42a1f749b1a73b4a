#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <span>

#include "call/MediaCounters.h"
#include "transport/EncodedFrame.h"

// H.264 encoder of the sent picture: libx264 with a fixed low-latency
// configuration. Every frame it produces starts with the sequence and
// picture parameter sets, so a receiver can decode any frame it gets.
// Open and Close run on the window's thread, Encode on the capture thread;
// a lock keeps Encode from ever touching a half-closed encoder.
class VideoEncoder {
public:
    // Room for the SPS and PPS kept from Open.
    static constexpr std::size_t kHeaderCapacityBytes = 100;

    explicit VideoEncoder(MediaCounters& counters);
    ~VideoEncoder();
    VideoEncoder(const VideoEncoder&) = delete;
    VideoEncoder& operator=(const VideoEncoder&) = delete;

    // Opens the encoder for I420 pictures of width x height (both even).
    // False leaves the encoder closed.
    bool Open(int width, int height);

    // Encodes one I420 picture of width * height * 3 / 2 bytes into `out`.
    // On a closed encoder, or when the encoder gives nothing, `out` is left
    // with length 0 and the result is false.
    bool Encode(std::span<const uint8_t> i420, EncodedFrame& out);

    void Close();
    bool IsOpen() const;

    // The SPS and PPS (Annex B, start codes included) fetched at Open.
    std::span<const uint8_t> Headers() const;

private:
    struct Session;

    MediaCounters& counters_;
    mutable std::mutex mutex_;
    std::unique_ptr<Session> session_;
};
