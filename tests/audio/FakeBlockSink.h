#pragma once

#include <vector>

#include "audio/PcmBlockSink.h"

// Keeps every block handed to playback.
class FakeBlockSink : public PcmBlockSink {
public:
    void PlayBlock(const PcmBlock& block) override { played.push_back(block); }
    std::vector<PcmBlock> played;
};
