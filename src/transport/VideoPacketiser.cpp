#include "transport/VideoPacketiser.h"

#include <algorithm>

std::vector<VideoPiece> VideoPacketiser::Split(const EncodedFrame& frame) {
    std::vector<VideoPiece> pieces;
    if (frame.length > EncodedFrame::kCapacityBytes) return pieces;
    const uint8_t payloadType = frame.idrFlag != 0 ? kIdrPayloadType : kPayloadType;
    std::size_t offset = 0;
    do {
        const std::size_t bytes = std::min(kPieceBytes, frame.length - offset);
        const bool last = offset + bytes == frame.length;
        pieces.push_back({{frame.data.data() + offset, bytes}, payloadType, last});
        offset += bytes;
    } while (offset < frame.length);
    return pieces;
}
