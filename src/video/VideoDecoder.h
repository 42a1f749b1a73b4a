#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <vector>

#include "app/MessageBoxes.h"
#include "call/MediaCounters.h"
#include "transport/EncodedFrame.h"
#include "video/I420Scaler.h"

struct AVCodec;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;

// H.264 decoder of the received picture (libavcodec). Each decoded picture
// lands in `DecodedFrame`, contiguous I420 of our own frame size, and is
// handed to the picture handler on the decoding thread. Open and Close run
// on the window's thread, Decode on the receive thread; a lock keeps the two
// apart.
class VideoDecoder {
public:
    // Finds the H.264 decoder; a test may hand in one that finds none.
    using CodecLookup = std::function<const AVCodec*()>;
    using PictureHandler = std::function<void(std::span<const uint8_t> i420)>;

    VideoDecoder(MessageBoxes& boxes, MediaCounters& counters, CodecLookup lookup = {});
    ~VideoDecoder();
    VideoDecoder(const VideoDecoder&) = delete;
    VideoDecoder& operator=(const VideoDecoder&) = delete;

    // Called on the decoding thread for every picture, right after decoding,
    // with the decoder locked: it must not call back into the decoder.
    void SetPictureHandler(PictureHandler handler);

    // Opens the decoder for pictures of width x height. Failures are shown
    // as "context error!", "codec error!", "pic error!" or "open error!"
    // and leave the decoder closed.
    bool Open(int width, int height);

    // Decodes one reassembled frame. True when a picture was produced (and
    // handed on); a frame that does not decode, or a closed decoder, gives
    // false and the previous picture stays.
    bool Decode(const EncodedFrame& frame);

    void Close();
    bool IsOpen() const;

    // The last decoded picture, width * height * 3 / 2 bytes.
    std::span<const uint8_t> DecodedFrame() const;

private:
    bool Fail(const char* message);
    bool ReceivePicture();
    bool CopyPicture();
    void FreeAll();

    MessageBoxes& boxes_;
    MediaCounters& counters_;
    CodecLookup lookup_;
    PictureHandler pictureHandler_;
    mutable std::mutex mutex_;
    AVCodecContext* context_ = nullptr;
    AVFrame* picture_ = nullptr;
    AVPacket* packet_ = nullptr;
    bool open_ = false;
    int width_ = 0;
    int height_ = 0;
    std::vector<uint8_t> decodedFrame_;
    I420Scaler scaler_;
};
