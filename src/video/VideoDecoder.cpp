#include "video/VideoDecoder.h"

#include <cstring>

extern "C" {
#include <libavcodec/avcodec.h>
}

VideoDecoder::VideoDecoder(MessageBoxes& boxes, MediaCounters& counters, CodecLookup lookup)
    : boxes_(boxes), counters_(counters), lookup_(std::move(lookup)) {
    if (!lookup_) lookup_ = [] { return avcodec_find_decoder(AV_CODEC_ID_H264); };
}

VideoDecoder::~VideoDecoder() { FreeAll(); }

void VideoDecoder::SetPictureHandler(PictureHandler handler) {
    std::lock_guard lock(mutex_);
    pictureHandler_ = std::move(handler);
}

bool VideoDecoder::Fail(const char* message) {
    FreeAll();
    boxes_.Inform(message);
    return false;
}

bool VideoDecoder::Open(int width, int height) {
    std::lock_guard lock(mutex_);
    FreeAll();
    context_ = avcodec_alloc_context3(nullptr);
    if (context_ == nullptr || width <= 0 || height <= 0) return Fail("context error!");
    context_->time_base = AVRational{1, 20};
    context_->frame_number = 1;
    context_->codec_type = AVMEDIA_TYPE_VIDEO;
    context_->bit_rate = 0;
    context_->width = width;
    context_->height = height;
    context_->pix_fmt = AV_PIX_FMT_YUV420P;
    // One thread: frame threading would hold pictures back by a frame.
    context_->thread_count = 1;
    context_->flags |= AV_CODEC_FLAG_LOW_DELAY;

    const AVCodec* codec = lookup_();
    if (codec == nullptr) return Fail("codec error!");
    picture_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (picture_ == nullptr || packet_ == nullptr) return Fail("pic error!");
    if (avcodec_open2(context_, codec, nullptr) < 0) return Fail("open error!");

    width_ = width;
    height_ = height;
    decodedFrame_.assign(static_cast<std::size_t>(width) * height * 3 / 2, 0);
    open_ = true;
    return true;
}

bool VideoDecoder::Decode(const EncodedFrame& frame) {
    std::lock_guard lock(mutex_);
    const std::size_t length = frame.length;
    if (!open_ || length == 0 || length > frame.data.size()) return false;

    // libavcodec copies a packet without a buffer reference; it never
    // writes to the data.
    packet_->data = const_cast<uint8_t*>(frame.data.data());
    packet_->size = static_cast<int>(length);
    const int sent = avcodec_send_packet(context_, packet_);
    packet_->data = nullptr;
    packet_->size = 0;
    if (sent < 0 || !ReceivePicture()) return false;
    const bool copied = CopyPicture();
    av_frame_unref(picture_);
    if (!copied) return false;

    counters_.framesDecoded.fetch_add(1, std::memory_order_relaxed);
    // Still under the lock: Close waits until the picture has been shown.
    if (pictureHandler_) pictureHandler_(decodedFrame_);
    return true;
}

bool VideoDecoder::ReceivePicture() {
    return avcodec_receive_frame(context_, picture_) == 0 && picture_->width > 0 &&
           picture_->height > 0;
}

bool VideoDecoder::CopyPicture() {
    const bool sameLayout =
        picture_->width == width_ && picture_->height == height_ &&
        (picture_->format == AV_PIX_FMT_YUV420P || picture_->format == AV_PIX_FMT_YUVJ420P);
    if (!sameLayout) {
        // A partner with another frame size: scale, never copy past a plane.
        const I420Scaler::Source source{picture_->data, picture_->linesize, picture_->width,
                                        picture_->height, picture_->format};
        return scaler_.Scale(source, decodedFrame_.data(), width_, height_);
    }
    uint8_t* out = decodedFrame_.data();
    for (int plane = 0; plane < 3; ++plane) {
        const int rowBytes = plane == 0 ? width_ : width_ / 2;
        const int rows = plane == 0 ? height_ : height_ / 2;
        const uint8_t* row = picture_->data[plane];
        for (int y = 0; y < rows; ++y) {
            std::memcpy(out, row, static_cast<std::size_t>(rowBytes));
            out += rowBytes;
            row += picture_->linesize[plane];
        }
    }
    return true;
}

void VideoDecoder::Close() {
    std::lock_guard lock(mutex_);
    FreeAll();
}

void VideoDecoder::FreeAll() {
    open_ = false;
    av_packet_free(&packet_);
    av_frame_free(&picture_);
    avcodec_free_context(&context_);
}

bool VideoDecoder::IsOpen() const {
    std::lock_guard lock(mutex_);
    return open_;
}

std::span<const uint8_t> VideoDecoder::DecodedFrame() const {
    std::lock_guard lock(mutex_);
    return decodedFrame_;
}
