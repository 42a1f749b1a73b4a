// The send side of MediaSessions: video frames in pieces, speech blocks.
#include <chrono>
#include <thread>

#include "transport/MediaSessions.h"
#include "transport/VideoPacketiser.h"

bool MediaSessions::SendOn(SessionSlot& slot, std::span<const uint8_t> payload, uint8_t payloadType,
                           bool marker, uint32_t timestampIncrement) {
    return slot.WithSession([&](RtpSession* session) {
        return session && session->SendPacket(payload, payloadType, marker, timestampIncrement);
    });
}

bool MediaSessions::SendVideoFrame(const EncodedFrame& frame) {
    if (state_.sendGate == 0) return true;
    const std::vector<VideoPiece> pieces = VideoPacketiser::Split(frame);
    if (pieces.empty()) return false;
    for (const VideoPiece& piece : pieces) {
        if (!SendOn(videoSend_, piece.payload, piece.payloadType, piece.marker,
                    VideoPacketiser::kTimestampIncrement90k)) {
            return false;
        }
        ++counters_.videoPacketsSent;
        // Spreads a large frame over several milliseconds instead of a burst.
        std::this_thread::sleep_for(std::chrono::milliseconds(kVideoPiecePauseMs));
    }
    return true;
}

bool MediaSessions::SendAudioBlock(std::span<const uint8_t, kAudioBlockBytes> block) {
    if (!SendOn(audioSend_, block, kAudioPayloadType, false, kAudioTimestampIncrement8k)) {
        return false;
    }
    ++counters_.audioBlocksSent;
    std::this_thread::sleep_for(std::chrono::milliseconds(kAudioBlockPauseMs));
    return true;
}
