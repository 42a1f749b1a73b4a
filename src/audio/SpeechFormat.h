#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// Block sizes of the speech path: 512 samples per block in both directions.
inline constexpr size_t kPcmBlockBytes = 1024;
inline constexpr size_t kCodedBlockBytes = 512;
inline constexpr unsigned long kBlockFrames = 512;

using PcmBlock = std::array<uint8_t, kPcmBlockBytes>;
using CodedBlock = std::array<uint8_t, kCodedBlockBytes>;

// Thread messages of the two speech threads.
inline constexpr uint32_t WM_RECORDSOUND_START = 1524;
inline constexpr uint32_t WM_PLAYSOUND_START = 1624;
inline constexpr uint32_t WM_PLAYSOUND_STOP = 1625;
inline constexpr uint32_t WM_PLAYSOUND_BLOCK = 1626;
inline constexpr uint32_t WM_PLAYSOUND_END = 1627;
// The capture device's notice that one queued buffer is done.
inline constexpr uint32_t MM_WIM_DATA = 0x3C0;
