#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>

#include "transport/EncodedFrame.h"

// One received video piece, as the reassembler needs it.
struct ReceivedVideoPiece {
    uint32_t ssrc = 0;
    // Extended RTP sequence number: consecutive pieces differ by one.
    uint32_t extendedSequence = 0;
    uint8_t payloadType = 0;
    bool marker = false;
    std::span<const uint8_t> payload;
};

// Joins video pieces until the marker into one EncodedFrame. A frame with a
// gap in its sequence numbers (or a change of source) is never handed on:
// after such a loss, and after a frame too large for the buffer, frames are
// skipped until the next one with payload type 120, which decodes on its
// own because it carries its parameter sets.
class VideoFrameReassembler {
public:
    enum class Result {
        kNeedMore,
        kFrameComplete,
        // The piece was dropped as part of a damaged or skipped frame.
        kPieceDropped,
        // The piece ended a frame that is not handed on.
        kFrameSkipped,
    };

    VideoFrameReassembler();

    Result AddPiece(const ReceivedVideoPiece& piece);
    // The complete frame after kFrameComplete, until the next AddPiece.
    const EncodedFrame& Frame() const { return *frame_; }

    uint64_t FramesSkipped() const { return framesSkipped_; }
    uint64_t FramesOversized() const { return framesOversized_; }

private:
    struct Position {
        uint32_t ssrc;
        uint32_t extendedSequence;
    };

    // Drops the rest of the current frame and waits for a key frame.
    Result LoseFrame(bool pieceEndsFrame);
    bool IsStale(const ReceivedVideoPiece& piece) const;

    std::unique_ptr<EncodedFrame> frame_;
    std::optional<Position> last_;
    bool frameComplete_ = false;
    // Pieces are dropped until the current frame's marker.
    bool discarding_ = false;
    bool awaitingKeyFrame_ = false;
    uint64_t framesSkipped_ = 0;
    uint64_t framesOversized_ = 0;
};
