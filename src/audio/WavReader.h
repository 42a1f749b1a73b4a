#pragma once

#include <filesystem>
#include <optional>

#include "audio/CueSound.h"

// Reads an uncompressed PCM WAV file (8- or 16-bit, one or two channels).
// Anything else, a missing file or a damaged one gives nothing.
std::optional<CueSound> ReadWavFile(const std::filesystem::path& path);
