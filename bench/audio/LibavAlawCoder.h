#pragma once

#include <cstddef>
#include <cstdint>

struct AVCodecContext;
struct AVFrame;
struct AVPacket;

// libavcodec's pcm_alaw encoder and decoder for one 512-sample block at a
// time, mono 16-bit, as a yardstick for our own block coding.
class LibavAlawCoder {
public:
    LibavAlawCoder();
    ~LibavAlawCoder();
    LibavAlawCoder(const LibavAlawCoder&) = delete;
    LibavAlawCoder& operator=(const LibavAlawCoder&) = delete;

    bool IsReady() const { return encoder_ != nullptr && decoder_ != nullptr; }
    // Codes 512 samples; returns the number of code bytes produced.
    size_t Encode(const int16_t* samples, uint8_t* codes);
    // Decodes 512 codes; returns the number of samples produced.
    size_t Decode(const uint8_t* codes, int16_t* samples);

private:
    AVCodecContext* encoder_ = nullptr;
    AVCodecContext* decoder_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
};
