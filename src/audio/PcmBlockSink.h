#pragma once

#include "audio/SpeechFormat.h"

// Where decoded speech goes to be played: the playback thread, or a fake in
// tests. The sink copies the block before it returns.
class PcmBlockSink {
public:
    virtual ~PcmBlockSink() = default;
    virtual void PlayBlock(const PcmBlock& block) = 0;
};
