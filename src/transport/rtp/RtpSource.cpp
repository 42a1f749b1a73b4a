#include "transport/rtp/RtpSource.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

RtpSource::Arrival RtpSource::OnRtp(RtpPacket&& packet, int64_t arrivalMicros,
                                    double timestampRateHz) {
    lastHeardMicros_ = arrivalMicros;
    rtpSinceReport_ = true;
    const uint16_t sequence = packet.sequenceNumber;
    if (!sequence_) sequence_.emplace(sequence);
    UpdateJitter(packet.timestamp, arrivalMicros, timestampRateHz);

    const SequenceValidator::Update update = sequence_->Accept(sequence);
    ReceivedRtpPacket received{std::move(packet), update.extendedSequence, arrivalMicros};
    Arrival arrival;
    switch (update.verdict) {
        case SequenceValidator::Verdict::kProbation:
            // A held run that broke off is not continued: start it afresh.
            if (!held_.empty() && static_cast<uint16_t>(held_.back().sequence + 1) != sequence) {
                arrival.dropped = held_.size();
                held_.clear();
            }
            held_.push_back({sequence, std::move(received)});
            arrival.outcome = Outcome::kHeld;
            return arrival;
        case SequenceValidator::Verdict::kRejected:
            arrival.outcome = Outcome::kRejected;
            return arrival;
        case SequenceValidator::Verdict::kValidated:
            arrival.dropped = ReleaseHeld(sequence, update.extendedSequence);
            break;
        case SequenceValidator::Verdict::kAccepted:
        case SequenceValidator::Verdict::kRestarted:
            break;
    }
    arrival.outcome = Enqueue(std::move(received));
    arrival.dropped += DropToBounds();
    return arrival;
}

std::size_t RtpSource::ReleaseHeld(uint16_t validatingSequence, uint32_t validatingExtended) {
    std::size_t dropped = 0;
    for (HeldPacket& held : held_) {
        const uint16_t behind = static_cast<uint16_t>(validatingSequence - held.sequence);
        held.received.extendedSequence = validatingExtended - behind;
        if (Enqueue(std::move(held.received)) != Outcome::kQueued) ++dropped;
    }
    held_.clear();
    return dropped;
}

RtpSource::Outcome RtpSource::Enqueue(ReceivedRtpPacket&& received) {
    const uint32_t extended = received.extendedSequence;
    if (lastHandedOut_ && extended <= *lastHandedOut_) return Outcome::kLate;
    auto at = queue_.end();
    if (!queue_.empty() && extended <= queue_.back().extendedSequence) {
        at = std::lower_bound(queue_.begin(), queue_.end(), extended,
                              [](const ReceivedRtpPacket& queued, uint32_t value) {
                                  return queued.extendedSequence < value;
                              });
        if (at != queue_.end() && at->extendedSequence == extended) return Outcome::kDuplicate;
    }
    queuedBytes_ += received.packet.payload.size();
    queue_.insert(at, std::move(received));
    return Outcome::kQueued;
}

std::size_t RtpSource::DropToBounds() {
    std::size_t dropped = 0;
    while (queue_.size() > kMaxQueuedPackets || queuedBytes_ > kMaxQueuedBytes) {
        // Dropped packets count as handed out, so stragglers behind them
        // are not queued again out of order.
        lastHandedOut_ = queue_.front().extendedSequence;
        queuedBytes_ -= queue_.front().packet.payload.size();
        queue_.pop_front();
        ++dropped;
    }
    return dropped;
}

std::optional<ReceivedRtpPacket> RtpSource::TakeNext() {
    if (queue_.empty()) return std::nullopt;
    ReceivedRtpPacket next = std::move(queue_.front());
    queue_.pop_front();
    queuedBytes_ -= next.packet.payload.size();
    lastHandedOut_ = next.extendedSequence;
    return next;
}

void RtpSource::UpdateJitter(uint32_t rtpTimestamp, int64_t arrivalMicros, double timestampRateHz) {
    // RFC 3550 A.8, with the arrival time in the stream's timestamp units.
    const auto arrivalUnits =
        static_cast<uint32_t>(static_cast<int64_t>(arrivalMicros * timestampRateHz / 1e6));
    const auto transit = static_cast<int32_t>(arrivalUnits - rtpTimestamp);
    if (haveTransit_) {
        const double difference = std::abs(static_cast<double>(transit) - lastTransit_);
        jitter_ += (difference - jitter_) / 16.0;
    }
    haveTransit_ = true;
    lastTransit_ = transit;
}

void RtpSource::OnSenderReport(uint64_t ntpTimestamp, int64_t arrivalMicros) {
    lastHeardMicros_ = arrivalMicros;
    lastSenderReport_ = static_cast<uint32_t>(ntpTimestamp >> 16);
    lastSenderReportArrivalMicros_ = arrivalMicros;
}

RtcpCompound::ReportBlock RtpSource::TakeReportBlock(int64_t nowMicros) {
    RtcpCompound::ReportBlock block;
    block.ssrc = ssrc_;
    rtpSinceReport_ = false;
    if (sequence_) {
        block.fractionLost = sequence_->TakeFractionLost();
        block.cumulativeLost = static_cast<int32_t>(
            std::clamp<int64_t>(sequence_->CumulativeLost(), std::numeric_limits<int32_t>::min(),
                                std::numeric_limits<int32_t>::max()));
        block.extendedHighestSequence = sequence_->ExtendedHighest();
    }
    block.jitter = static_cast<uint32_t>(jitter_);
    if (lastSenderReport_ != 0) {
        block.lastSenderReport = lastSenderReport_;
        // Delay in units of 1/65536 s.
        block.delaySinceLastSenderReport =
            static_cast<uint32_t>((nowMicros - lastSenderReportArrivalMicros_) * 65536 / 1000000);
    }
    return block;
}
