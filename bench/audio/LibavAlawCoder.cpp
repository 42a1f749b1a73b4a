#include "LibavAlawCoder.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavutil/channel_layout.h>
}

#include <cstring>

namespace {

constexpr int kBlockSamples = 512;

AVCodecContext* OpenCoder(const AVCodec* codec) {
    if (codec == nullptr) return nullptr;
    AVCodecContext* context = avcodec_alloc_context3(codec);
    if (context == nullptr) return nullptr;
    context->sample_fmt = AV_SAMPLE_FMT_S16;
    context->sample_rate = 8000;
    av_channel_layout_default(&context->ch_layout, 1);
    if (avcodec_open2(context, codec, nullptr) < 0) avcodec_free_context(&context);
    return context;
}

}  // namespace

LibavAlawCoder::LibavAlawCoder()
    : encoder_(OpenCoder(avcodec_find_encoder(AV_CODEC_ID_PCM_ALAW))),
      decoder_(OpenCoder(avcodec_find_decoder(AV_CODEC_ID_PCM_ALAW))),
      frame_(av_frame_alloc()),
      packet_(av_packet_alloc()) {}

LibavAlawCoder::~LibavAlawCoder() {
    av_packet_free(&packet_);
    av_frame_free(&frame_);
    avcodec_free_context(&decoder_);
    avcodec_free_context(&encoder_);
}

size_t LibavAlawCoder::Encode(const int16_t* samples, uint8_t* codes) {
    av_frame_unref(frame_);
    frame_->format = AV_SAMPLE_FMT_S16;
    frame_->nb_samples = kBlockSamples;
    av_channel_layout_default(&frame_->ch_layout, 1);
    if (av_frame_get_buffer(frame_, 0) < 0) return 0;
    std::memcpy(frame_->data[0], samples, kBlockSamples * sizeof(int16_t));
    if (avcodec_send_frame(encoder_, frame_) < 0) return 0;
    if (avcodec_receive_packet(encoder_, packet_) < 0) return 0;
    const auto size = static_cast<size_t>(packet_->size);
    std::memcpy(codes, packet_->data, size);
    av_packet_unref(packet_);
    return size;
}

size_t LibavAlawCoder::Decode(const uint8_t* codes, int16_t* samples) {
    if (av_new_packet(packet_, kBlockSamples) < 0) return 0;
    std::memcpy(packet_->data, codes, kBlockSamples);
    const int sent = avcodec_send_packet(decoder_, packet_);
    av_packet_unref(packet_);
    if (sent < 0 || avcodec_receive_frame(decoder_, frame_) < 0) return 0;
    const auto count = static_cast<size_t>(frame_->nb_samples);
    std::memcpy(samples, frame_->data[0], count * sizeof(int16_t));
    av_frame_unref(frame_);
    return count;
}
