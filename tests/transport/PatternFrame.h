#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

#include "transport/EncodedFrame.h"

// An encoded frame of `length` bytes whose contents depend on `seed`, so
// that frames sent one after the other can be told apart on arrival.
inline std::unique_ptr<EncodedFrame> MakeFrame(std::size_t length, bool idr, uint8_t seed) {
    auto frame = std::make_unique<EncodedFrame>();
    frame->length = length;
    frame->idrFlag = idr ? 1 : 0;
    for (std::size_t i = 0; i < length; ++i) frame->data[i] = static_cast<uint8_t>(seed + i * 7);
    return frame;
}
