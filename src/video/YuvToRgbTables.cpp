#include "video/YuvToRgbTables.h"

YuvToRgbTables::YuvToRgbTables() {
    for (int32_t i = 0; i < 256; ++i) {
        // >> on negative int32 is arithmetic (C++20), i.e. rounds down.
        luma[i] = ((i - 16) * 76309) >> 15;
        redFromV[i] = ((i - 128) * 104597) >> 15;
        blueFromU[i] = ((i - 128) * 132201) >> 15;
        greenFromU[i] = (i - 128) * 25675;
        greenFromV[i] = (i - 128) * 53279;
    }
    for (int32_t k = -kClampOffset; k < kClampEntries - kClampOffset; ++k) {
        uint8_t value = 255;
        if (k < 0) {
            value = 0;
        } else if (k <= 510) {
            value = static_cast<uint8_t>(k >> 1);
        }
        clamp[static_cast<std::size_t>(k + kClampOffset)] = value;
    }
}

const YuvToRgbTables& YuvToRgbTables::Get() {
    static const YuvToRgbTables tables;
    return tables;
}
