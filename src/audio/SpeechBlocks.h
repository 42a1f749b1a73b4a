#pragma once

#include <mutex>

#include "audio/PcmBlockSink.h"
#include "audio/SpeechFormat.h"

// The process's shared speech blocks. The capture thread, the audio receive
// loop and the recorder each run on their own thread, so every block is
// handed over as a copy under one lock.
class SpeechBlocks {
public:
    // Capture thread: the coded form of the latest captured block.
    void StoreSendBlock(const CodedBlock& coded);
    CodedBlock SendBlock() const;

    // Audio receive loop, once per received block: decodes it into the
    // remote PCM block, mixes it with the latest sent block into the mixed
    // block, and hands it to playback unless the silence gate holds it back.
    void PlayReceivedAudio(const CodedBlock& received, PcmBlockSink& playback);

    // Recorder: the latest remote block alone, or both voices mixed.
    PcmBlock RemotePcm() const;
    PcmBlock MixedPcm() const;

private:
    mutable std::mutex mutex_;
    CodedBlock audioSendBlock_{};
    CodedBlock audioReceiveBlock_{};
    PcmBlock remotePcmBlock_{};
    PcmBlock mixedPcmBlock_{};
};
