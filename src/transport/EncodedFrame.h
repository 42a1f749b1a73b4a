#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

// One frame of H.264 Annex B data: filled by the encoder and sent in pieces,
// or joined from received pieces and handed to the decoder. Large (400 kB):
// keep it on the heap.
struct EncodedFrame {
    static constexpr std::size_t kCapacityBytes = 400000;

    std::array<uint8_t, kCapacityBytes> data{};
    // Set when the frame carries an IDR slice; only the sending side uses it.
    int idrFlag = 0;
    std::size_t length = 0;
};
