#include "video/LibavVideoInput.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavdevice/avdevice.h>
#include <libavformat/avformat.h>
#include <libavutil/dict.h>
#include <libswscale/swscale.h>
}

#include <chrono>
#include <mutex>
#include <thread>

namespace {

constexpr std::chrono::milliseconds kRetryPause{2};

void RegisterDevicesOnce() {
    static std::once_flag once;
    std::call_once(once, [] {
        avdevice_register_all();
        av_log_set_level(AV_LOG_ERROR);
    });
}

int InterruptRequested(void* opaque) {
    return static_cast<std::atomic<bool>*>(opaque)->load() ? 1 : 0;
}

}  // namespace

LibavVideoInput::LibavVideoInput() = default;

LibavVideoInput::~LibavVideoInput() { Close(); }

void LibavVideoInput::Close() {
    sws_freeContext(scaler_);
    scaler_ = nullptr;
    av_packet_free(&packet_);
    av_frame_free(&frame_);
    avcodec_free_context(&decoder_);
    avformat_close_input(&format_);
    streamIndex_ = -1;
}

LibavVideoInput::OpenStatus LibavVideoInput::Open(const std::string& formatName,
                                                  const std::string& url, const Options& options) {
    RegisterDevicesOnce();
    Close();
    const AVInputFormat* input = av_find_input_format(formatName.c_str());
    if (input == nullptr) return OpenStatus::kDeviceUnavailable;

    format_ = avformat_alloc_context();
    if (format_ == nullptr) return OpenStatus::kDeviceUnavailable;
    format_->interrupt_callback = {InterruptRequested, &interrupted_};
    // Non-blocking reads, so that a camera that stops delivering cannot
    // hold the capture thread past Interrupt.
    format_->flags |= AVFMT_FLAG_NONBLOCK;
    AVDictionary* dictionary = nullptr;
    for (const auto& [key, value] : options)
        av_dict_set(&dictionary, key.c_str(), value.c_str(), 0);
    const int opened = avformat_open_input(&format_, url.c_str(), input, &dictionary);
    av_dict_free(&dictionary);
    if (opened < 0) return OpenStatus::kDeviceUnavailable;  // format_ is freed on failure

    if (avformat_find_stream_info(format_, nullptr) < 0) return OpenStatus::kStreamUnreadable;
    const AVCodec* codec = nullptr;
    streamIndex_ = av_find_best_stream(format_, AVMEDIA_TYPE_VIDEO, -1, -1, &codec, 0);
    if (streamIndex_ < 0) {
        return streamIndex_ == AVERROR_DECODER_NOT_FOUND ? OpenStatus::kFormatUnsupported
                                                         : OpenStatus::kStreamUnreadable;
    }
    decoder_ = avcodec_alloc_context3(codec);
    if (decoder_ == nullptr ||
        avcodec_parameters_to_context(decoder_, format_->streams[streamIndex_]->codecpar) < 0 ||
        avcodec_open2(decoder_, codec, nullptr) < 0) {
        return OpenStatus::kFormatUnsupported;
    }
    frame_ = av_frame_alloc();
    packet_ = av_packet_alloc();
    if (frame_ == nullptr || packet_ == nullptr) return OpenStatus::kStreamUnreadable;
    return OpenStatus::kOpened;
}

int LibavVideoInput::sourceWidth() const { return decoder_ ? decoder_->width : 0; }

int LibavVideoInput::sourceHeight() const { return decoder_ ? decoder_->height : 0; }

void LibavVideoInput::Interrupt() { interrupted_ = true; }

bool LibavVideoInput::DecodeNextFrame() {
    for (;;) {
        const int received = avcodec_receive_frame(decoder_, frame_);
        if (received == 0) return true;
        if (interrupted_) return false;
        // A damaged picture (a broken MJPEG frame) is skipped, not fatal.
        if (received != AVERROR(EAGAIN) && received != AVERROR_INVALIDDATA) return false;
        const int read = av_read_frame(format_, packet_);
        if (read == AVERROR(EAGAIN)) {
            std::this_thread::sleep_for(kRetryPause);
            continue;
        }
        if (read < 0) return false;
        const bool ours = packet_->stream_index == streamIndex_;
        const int sent = ours ? avcodec_send_packet(decoder_, packet_) : 0;
        av_packet_unref(packet_);
        if (sent < 0 && sent != AVERROR_INVALIDDATA) return false;
    }
}

bool LibavVideoInput::Convert(int width, int height, bool bottomUp, uint8_t* bgrx) {
    scaler_ = sws_getCachedContext(scaler_, frame_->width, frame_->height,
                                   static_cast<AVPixelFormat>(frame_->format), width, height,
                                   AV_PIX_FMT_BGR0, SWS_BICUBIC, nullptr, nullptr, nullptr);
    if (scaler_ == nullptr) return false;
    const int stride = width * 4;
    uint8_t* planes[4] = {bottomUp ? bgrx + static_cast<int64_t>(height - 1) * stride : bgrx,
                          nullptr, nullptr, nullptr};
    const int strides[4] = {bottomUp ? -stride : stride, 0, 0, 0};
    const int rows =
        sws_scale(scaler_, frame_->data, frame_->linesize, 0, frame_->height, planes, strides);
    return rows == height;
}

bool LibavVideoInput::ReadPicture(int width, int height, bool bottomUp, uint8_t* bgrx) {
    if (decoder_ == nullptr || interrupted_) return false;
    if (!DecodeNextFrame()) return false;
    const bool converted = Convert(width, height, bottomUp, bgrx);
    av_frame_unref(frame_);
    return converted;
}
