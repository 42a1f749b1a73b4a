#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <string>

struct AVFormatContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;

// One libavdevice video input (a V4L2 camera, the X display, a lavfi test
// source) decoded and converted to 32-bit B, G, R, X pictures. Owns every
// libav handle it opens; errors come back as results.
class LibavVideoInput {
public:
    enum class OpenStatus {
        kOpened,
        kDeviceUnavailable,  // the device would not open with these options
        kStreamUnreadable,   // opened, but no video stream could be read
        kFormatUnsupported,  // no decoder for the stream's format
    };
    using Options = std::map<std::string, std::string>;

    LibavVideoInput();
    ~LibavVideoInput();
    LibavVideoInput(const LibavVideoInput&) = delete;
    LibavVideoInput& operator=(const LibavVideoInput&) = delete;

    OpenStatus Open(const std::string& formatName, const std::string& url, const Options& options);

    // The picture size the input delivers (valid after Open).
    int sourceWidth() const;
    int sourceHeight() const;

    // Reads and decodes the next picture and writes it as width x height
    // pixels (scaled smoothly when the input's size differs), rows top first
    // or bottom-up. Blocks at the device's pace; false on failure, end of
    // input or interruption.
    bool ReadPicture(int width, int height, bool bottomUp, uint8_t* bgrx);

    // Safe from any thread: a blocked or later ReadPicture returns false.
    void Interrupt();

private:
    bool DecodeNextFrame();
    bool Convert(int width, int height, bool bottomUp, uint8_t* bgrx);
    void Close();

    AVFormatContext* format_ = nullptr;
    AVCodecContext* decoder_ = nullptr;
    AVFrame* frame_ = nullptr;
    AVPacket* packet_ = nullptr;
    SwsContext* scaler_ = nullptr;
    int streamIndex_ = -1;
    std::atomic<bool> interrupted_{false};
};
