#pragma once

#include "audio/SpeechFormat.h"

// The receiver's silence gate. It counts bytes, not samples: every byte of
// the little-endian block, read as a signed 8-bit value, that is 0, 1 or 8.
// Decoded digital silence (+8 in every sample) counts 1024.
inline constexpr int kMaxSilenceBytesPlayed = 450;

int CountSilenceBytes(const PcmBlock& block);
bool PassesSilenceGate(const PcmBlock& block);
