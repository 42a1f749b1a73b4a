#pragma once

#include <cstdint>
#include <vector>

#include "audio/AlsaPcm.h"

// A short sound cue ready for the device: its format and interleaved
// little-endian sample bytes.
struct CueSound {
    AlsaPcm::Format format;
    std::vector<uint8_t> bytes;
};
