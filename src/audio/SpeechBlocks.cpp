#include "audio/SpeechBlocks.h"

#include <algorithm>

#include "audio/AlawCodec.h"
#include "audio/SilenceGate.h"

namespace {

int16_t SampleAt(const PcmBlock& block, size_t index) {
    return static_cast<int16_t>(block[2 * index] | (block[2 * index + 1] << 8));
}

void StoreSample(PcmBlock& block, size_t index, int16_t sample) {
    const auto bits = static_cast<uint16_t>(sample);
    block[2 * index] = static_cast<uint8_t>(bits & 0xFF);
    block[2 * index + 1] = static_cast<uint8_t>(bits >> 8);
}

// Both voices at full level, clipped to the 16-bit range instead of wrapping.
void MixSaturating(PcmBlock& mixed, const PcmBlock& remote) {
    for (size_t i = 0; i < kBlockFrames; ++i) {
        const int sum = SampleAt(mixed, i) + SampleAt(remote, i);
        StoreSample(mixed, i, static_cast<int16_t>(std::clamp(sum, -32768, 32767)));
    }
}

}  // namespace

void SpeechBlocks::StoreSendBlock(const CodedBlock& coded) {
    std::lock_guard lock(mutex_);
    audioSendBlock_ = coded;
}

CodedBlock SpeechBlocks::SendBlock() const {
    std::lock_guard lock(mutex_);
    return audioSendBlock_;
}

void SpeechBlocks::PlayReceivedAudio(const CodedBlock& received, PcmBlockSink& playback) {
    PcmBlock remote;
    {
        std::lock_guard lock(mutex_);
        audioReceiveBlock_ = received;
        DecodeAlawBlock(remotePcmBlock_.data(), audioReceiveBlock_.data(), kCodedBlockBytes);
        DecodeAlawBlock(mixedPcmBlock_.data(), audioSendBlock_.data(), kCodedBlockBytes);
        MixSaturating(mixedPcmBlock_, remotePcmBlock_);
        remote = remotePcmBlock_;
    }
    if (PassesSilenceGate(remote)) playback.PlayBlock(remote);
}

PcmBlock SpeechBlocks::RemotePcm() const {
    std::lock_guard lock(mutex_);
    return remotePcmBlock_;
}

PcmBlock SpeechBlocks::MixedPcm() const {
    std::lock_guard lock(mutex_);
    return mixedPcmBlock_;
}
