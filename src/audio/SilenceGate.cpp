#include "audio/SilenceGate.h"

int CountSilenceBytes(const PcmBlock& block) {
    int count = 0;
    for (const uint8_t byte : block) {
        count += (byte == 0 || byte == 1 || byte == 8) ? 1 : 0;
    }
    return count;
}

bool PassesSilenceGate(const PcmBlock& block) {
    return CountSilenceBytes(block) <= kMaxSilenceBytesPlayed;
}
