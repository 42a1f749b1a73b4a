#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "call/MediaCounters.h"
#include "call/MediaState.h"
#include "transport/EncodedFrame.h"
#include "transport/MediaPorts.h"
#include "transport/ReceiveLoopThread.h"
#include "transport/SessionSlot.h"
#include "transport/VideoFrameReassembler.h"

// The four RTP sessions of a call (video and speech, each direction on its
// own fixed ports), the send operations and the two receive loops. Open,
// close and the partner address belong to the window's thread; video is
// sent from the capture thread, speech from the sound recording thread.
class MediaSessions {
public:
    static constexpr std::size_t kAudioBlockBytes = 512;
    static constexpr uint8_t kAudioPayloadType = 0;
    // Units of 1/8000 s, one per block whatever its length in samples.
    static constexpr uint32_t kAudioTimestampIncrement8k = 160;
    static constexpr int kVideoPiecePauseMs = 1;
    static constexpr int kAudioBlockPauseMs = 2;
    static constexpr int kReceivePassPauseMs = 1;

    using VideoFrameHandler = std::function<void(const EncodedFrame& frame)>;
    using AudioBlockHandler = std::function<void(std::span<const uint8_t, kAudioBlockBytes>)>;

    // What went missing on purpose, for the automation status.
    struct DropCounts {
        uint64_t videoFramesSkipped = 0;
        uint64_t videoFramesOversized = 0;
        uint64_t audioPayloadsDropped = 0;
        // Datagrams from an address other than the partner's, on the
        // sessions open now.
        uint64_t foreignDatagramsDropped = 0;
    };

    MediaSessions(MediaState& state, MediaCounters& counters, MediaPorts ports = {});
    ~MediaSessions();
    MediaSessions(const MediaSessions&) = delete;
    MediaSessions& operator=(const MediaSessions&) = delete;

    // Dotted IPv4 text; read when a session is opened. Media are accepted
    // only from this address, and a text that does not parse opens no send
    // session.
    void SetPartnerAddress(std::string dotted);

    bool OpenVideoSend();
    bool AddVideoDestination();
    bool CloseVideoSend();
    bool OpenVideoReceive();
    // Stops and joins the video receive loop first.
    bool CloseVideoReceive();
    bool OpenAudioSend();
    bool AddAudioDestination();
    bool CloseAudioSend();
    bool OpenAudioReceive();
    // Stops and joins the audio receive loop first.
    bool CloseAudioReceive();

    // Sends only while the send gate is set; success without sending
    // otherwise.
    bool SendVideoFrame(const EncodedFrame& frame);
    bool SendAudioBlock(std::span<const uint8_t, kAudioBlockBytes> block);

    // Loop bodies, returning when stop (or the stream's stop flag in the
    // media state) is set. Usually run through the Start functions below.
    void RunVideoReceiveLoop(const std::atomic<bool>& stop, const VideoFrameHandler& onFrame);
    void RunAudioReceiveLoop(const std::atomic<bool>& stop, const AudioBlockHandler& onBlock);

    // Start a loop on its own thread; false while one is running already.
    bool StartVideoReceiveLoop(VideoFrameHandler onFrame);
    void StopVideoReceiveLoop();
    bool StartAudioReceiveLoop(AudioBlockHandler onBlock);
    void StopAudioReceiveLoop();

    bool IsVideoSendOpen() const { return videoSend_.IsOpen(); }
    bool IsVideoReceiveOpen() const { return videoReceive_.IsOpen(); }
    bool IsAudioSendOpen() const { return audioSend_.IsOpen(); }
    bool IsAudioReceiveOpen() const { return audioReceive_.IsOpen(); }
    DropCounts GetDropCounts();

private:
    bool OpenSession(SessionSlot& slot, RtpSessionParams params, bool needsPartner);
    bool AddDestination(SessionSlot& slot, uint16_t partnerPort);
    bool SendOn(SessionSlot& slot, std::span<const uint8_t> payload, uint8_t payloadType,
                bool marker, uint32_t timestampIncrement);
    // One pass: joins pieces until a frame completes; true when it did.
    bool CollectVideoFrame();
    std::vector<std::vector<uint8_t>> CollectAudioBlocks();
    RtpSessionParams VideoParams(uint16_t portBase) const;
    RtpSessionParams AudioParams(uint16_t portBase) const;

    MediaState& state_;
    MediaCounters& counters_;
    const MediaPorts ports_;
    std::string partnerAddress_;

    SessionSlot videoSend_;
    SessionSlot videoReceive_;
    SessionSlot audioSend_;
    SessionSlot audioReceive_;

    // Used by the video receive loop only.
    VideoFrameReassembler reassembler_;
    std::atomic<uint64_t> videoFramesSkipped_{0};
    std::atomic<uint64_t> videoFramesOversized_{0};
    std::atomic<uint64_t> audioPayloadsDropped_{0};

    ReceiveLoopThread videoLoop_;
    ReceiveLoopThread audioLoop_;
};
