#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "transport/EncodedFrame.h"

// One RTP payload of a video frame, pointing into the frame.
struct VideoPiece {
    std::span<const uint8_t> payload;
    uint8_t payloadType = 0;
    bool marker = false;
};

// Cuts an encoded frame into the RTP payloads both terminals rely on:
// 1400-byte pieces, the last one holding the rest (an empty frame still
// makes one packet), marker on the last piece only, payload type 120 for an
// IDR frame and 121 otherwise.
class VideoPacketiser {
public:
    static constexpr std::size_t kPieceBytes = 1400;
    static constexpr uint8_t kIdrPayloadType = 120;
    static constexpr uint8_t kPayloadType = 121;
    // Every packet, also within one frame, advances the timestamp by this.
    static constexpr uint32_t kTimestampIncrement90k = 3600;

    // Empty when the frame's length exceeds its buffer.
    static std::vector<VideoPiece> Split(const EncodedFrame& frame);
};
