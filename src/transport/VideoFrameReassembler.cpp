#include "transport/VideoFrameReassembler.h"

#include <algorithm>

#include "transport/VideoPacketiser.h"

VideoFrameReassembler::VideoFrameReassembler() : frame_(std::make_unique<EncodedFrame>()) {}

bool VideoFrameReassembler::IsStale(const ReceivedVideoPiece& piece) const {
    return last_ && last_->ssrc == piece.ssrc && piece.extendedSequence <= last_->extendedSequence;
}

VideoFrameReassembler::Result VideoFrameReassembler::LoseFrame(bool pieceEndsFrame) {
    frame_->length = 0;
    awaitingKeyFrame_ = true;
    discarding_ = !pieceEndsFrame;
    if (!pieceEndsFrame) return Result::kPieceDropped;
    ++framesSkipped_;
    return Result::kFrameSkipped;
}

VideoFrameReassembler::Result VideoFrameReassembler::AddPiece(const ReceivedVideoPiece& piece) {
    if (IsStale(piece)) return Result::kPieceDropped;
    if (frameComplete_) {
        frame_->length = 0;
        frameComplete_ = false;
    }
    const bool continuous = !last_ || (last_->ssrc == piece.ssrc &&
                                       piece.extendedSequence == last_->extendedSequence + 1);
    last_ = Position{piece.ssrc, piece.extendedSequence};
    if (!continuous && !discarding_) return LoseFrame(piece.marker);

    if (discarding_) {
        if (!piece.marker) return Result::kPieceDropped;
        discarding_ = false;
        ++framesSkipped_;
        return Result::kFrameSkipped;
    }
    const bool startsFrame = frame_->length == 0;
    if (startsFrame && awaitingKeyFrame_) {
        if (piece.payloadType != VideoPacketiser::kIdrPayloadType) return LoseFrame(piece.marker);
        awaitingKeyFrame_ = false;
    }
    if (piece.payload.size() > EncodedFrame::kCapacityBytes - frame_->length) {
        ++framesOversized_;
        return LoseFrame(piece.marker);
    }
    std::copy(piece.payload.begin(), piece.payload.end(), frame_->data.begin() + frame_->length);
    frame_->length += piece.payload.size();
    if (!piece.marker) return Result::kNeedMore;
    frameComplete_ = true;
    return Result::kFrameComplete;
}
