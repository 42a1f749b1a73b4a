#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <vector>

#include "transport/rtp/ReceivedRtpPacket.h"
#include "transport/rtp/RtcpCompound.h"
#include "transport/rtp/SequenceValidator.h"

// What a session knows about one remote SSRC: sequence validation, the
// queue of its packets in sequence-number order, interarrival jitter and the
// last sender report, from which its reception report block is made.
class RtpSource {
public:
    // A source that floods stops growing the queue here; the oldest packets
    // make room for new ones.
    static constexpr std::size_t kMaxQueuedPackets = 4096;
    static constexpr std::size_t kMaxQueuedBytes = 8u << 20;

    enum class Outcome { kQueued, kHeld, kDuplicate, kLate, kRejected };

    struct Arrival {
        Outcome outcome = Outcome::kQueued;
        // Packets dropped from the front of the queue to stay in bounds, and
        // held packets given up when probation started over.
        std::size_t dropped = 0;
    };

    explicit RtpSource(uint32_t ssrc) : ssrc_(ssrc) {}

    Arrival OnRtp(RtpPacket&& packet, int64_t arrivalMicros, double timestampRateHz);
    void OnSenderReport(uint64_t ntpTimestamp, int64_t arrivalMicros);
    void NoteHeard(int64_t arrivalMicros) { lastHeardMicros_ = arrivalMicros; }

    bool HasData() const { return !queue_.empty(); }
    std::optional<ReceivedRtpPacket> TakeNext();

    // Also starts the next report interval (fraction lost, "sent since").
    RtcpCompound::ReportBlock TakeReportBlock(int64_t nowMicros);

    uint32_t Ssrc() const { return ssrc_; }
    bool IsValid() const { return sequence_ && sequence_->IsValid(); }
    bool SentRtpSinceReport() const { return rtpSinceReport_; }
    int64_t LastHeardMicros() const { return lastHeardMicros_; }
    const SequenceValidator* Sequence() const { return sequence_ ? &*sequence_ : nullptr; }
    double JitterUnits() const { return jitter_; }
    std::size_t QueuedPackets() const { return queue_.size(); }

private:
    struct HeldPacket {
        uint16_t sequence;
        ReceivedRtpPacket received;
    };

    void UpdateJitter(uint32_t rtpTimestamp, int64_t arrivalMicros, double timestampRateHz);
    Outcome Enqueue(ReceivedRtpPacket&& received);
    std::size_t DropToBounds();
    std::size_t ReleaseHeld(uint16_t validatingSequence, uint32_t validatingExtended);

    uint32_t ssrc_;
    std::optional<SequenceValidator> sequence_;
    std::vector<HeldPacket> held_;
    std::deque<ReceivedRtpPacket> queue_;
    std::size_t queuedBytes_ = 0;
    std::optional<uint32_t> lastHandedOut_;
    bool rtpSinceReport_ = false;
    int64_t lastHeardMicros_ = 0;
    bool haveTransit_ = false;
    int32_t lastTransit_ = 0;
    double jitter_ = 0;
    uint32_t lastSenderReport_ = 0;
    int64_t lastSenderReportArrivalMicros_ = 0;
};
