#pragma once

#include <array>
#include <cstdint>

// Lookup tables of the YUV -> RGB conversion of the remote picture. The
// shifted tables hold twice a channel's contribution; the clamp table halves
// a sum and limits it to 0..255. Built once, on first use; call Get() at
// start so the receive thread never builds them.
struct YuvToRgbTables {
    static constexpr int kClampOffset = 768;
    static constexpr int kClampEntries = 768 + 1280;

    std::array<int32_t, 256> luma{};
    std::array<int32_t, 256> redFromV{};
    std::array<int32_t, 256> blueFromU{};
    std::array<int32_t, 256> greenFromU{};
    std::array<int32_t, 256> greenFromV{};
    // Indexed by k + kClampOffset for k = -768 ... 1279.
    std::array<uint8_t, kClampEntries> clamp{};

    static const YuvToRgbTables& Get();

    uint8_t Clamp(int32_t k) const { return clamp[static_cast<std::size_t>(k + kClampOffset)]; }

private:
    YuvToRgbTables();
};
