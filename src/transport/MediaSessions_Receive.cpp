// The receive side of MediaSessions: the video and speech loops.
#include <chrono>
#include <thread>

#include "transport/MediaSessions.h"

namespace {

void PauseBetweenPasses() {
    std::this_thread::sleep_for(std::chrono::milliseconds(MediaSessions::kReceivePassPauseMs));
}

}  // namespace

bool MediaSessions::CollectVideoFrame() {
    return videoReceive_.WithSession([this](RtpSession* session) {
        if (!session) return false;
        RtpSession::DataAccess access(*session);
        for (const uint32_t ssrc : session->SourcesWithData()) {
            while (std::optional<ReceivedRtpPacket> received = session->TakeNextPacket(ssrc)) {
                const RtpPacket& packet = received->packet;
                const VideoFrameReassembler::Result result =
                    reassembler_.AddPiece({packet.ssrc, received->extendedSequence,
                                           packet.payloadType, packet.marker, packet.payload});
                videoFramesSkipped_ = reassembler_.FramesSkipped();
                videoFramesOversized_ = reassembler_.FramesOversized();
                // The source's later packets wait for the next pass.
                if (result == VideoFrameReassembler::Result::kFrameComplete) return true;
            }
        }
        return false;
    });
}

void MediaSessions::RunVideoReceiveLoop(const std::atomic<bool>& stop,
                                        const VideoFrameHandler& onFrame) {
    while (!stop && state_.videoReceiveStop == 0) {
        // The frame is decoded outside the session lock, so the poll thread
        // keeps queueing meanwhile.
        if (CollectVideoFrame()) {
            ++counters_.videoFramesReceived;
            onFrame(reassembler_.Frame());
        }
        PauseBetweenPasses();
    }
}

std::vector<std::vector<uint8_t>> MediaSessions::CollectAudioBlocks() {
    return audioReceive_.WithSession([this](RtpSession* session) {
        std::vector<std::vector<uint8_t>> blocks;
        if (!session) return blocks;
        RtpSession::DataAccess access(*session);
        for (const uint32_t ssrc : session->SourcesWithData()) {
            while (std::optional<ReceivedRtpPacket> received = session->TakeNextPacket(ssrc)) {
                if (received->packet.payload.size() != kAudioBlockBytes) {
                    ++audioPayloadsDropped_;
                    continue;
                }
                blocks.push_back(std::move(received->packet.payload));
            }
        }
        return blocks;
    });
}

void MediaSessions::RunAudioReceiveLoop(const std::atomic<bool>& stop,
                                        const AudioBlockHandler& onBlock) {
    while (!stop && state_.audioReceiveStop == 0) {
        for (const std::vector<uint8_t>& block : CollectAudioBlocks()) {
            ++counters_.audioPacketsReceived;
            onBlock(std::span<const uint8_t, kAudioBlockBytes>(block.data(), kAudioBlockBytes));
        }
        PauseBetweenPasses();
    }
}

bool MediaSessions::StartVideoReceiveLoop(VideoFrameHandler onFrame) {
    return videoLoop_.Start([this, onFrame = std::move(onFrame)](const std::atomic<bool>& stop) {
        RunVideoReceiveLoop(stop, onFrame);
    });
}

void MediaSessions::StopVideoReceiveLoop() { videoLoop_.Stop(); }

bool MediaSessions::StartAudioReceiveLoop(AudioBlockHandler onBlock) {
    return audioLoop_.Start([this, onBlock = std::move(onBlock)](const std::atomic<bool>& stop) {
        RunAudioReceiveLoop(stop, onBlock);
    });
}

void MediaSessions::StopAudioReceiveLoop() { audioLoop_.Stop(); }
