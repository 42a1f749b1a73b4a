#pragma once

#include <cstdint>

// Sequence number bookkeeping of one source, after RFC 3550 Appendix A.1:
// probation of a new source, the 16-bit wrap, large jumps (a restarted
// sender is accepted on its second in-order packet) and the counts behind
// the loss figures of a reception report.
class SequenceValidator {
public:
    static constexpr int kMinSequential = 2;
    static constexpr uint16_t kMaxDropout = 3000;
    static constexpr uint16_t kMaxMisorder = 100;

    enum class Verdict {
        // Still in probation: hold the packet.
        kProbation,
        // This packet ended probation: the held packets and this one count.
        kValidated,
        kAccepted,
        // A jump too large to trust yet; dropped unless the next packet
        // continues from it.
        kRejected,
        // The sender restarted its numbering: older numbers are history.
        kRestarted,
    };

    struct Update {
        Verdict verdict = Verdict::kProbation;
        // Valid for every verdict but kProbation and kRejected.
        uint32_t extendedSequence = 0;
    };

    explicit SequenceValidator(uint16_t firstSequence);

    Update Accept(uint16_t sequence);

    bool IsValid() const { return probation_ == 0; }
    uint32_t ExtendedHighest() const { return cycles_ + maxSequence_; }
    uint32_t Expected() const { return ExtendedHighest() - baseExtended_ + 1; }
    uint32_t Received() const { return received_; }
    int64_t CumulativeLost() const {
        return static_cast<int64_t>(Expected()) - static_cast<int64_t>(received_);
    }
    // Fraction lost since the previous call, in 1/256 (RFC 3550 A.3).
    uint8_t TakeFractionLost();

private:
    void Restart(uint16_t sequence);
    Update AcceptInProbation(uint16_t sequence);

    int probation_ = kMinSequential;
    uint16_t maxSequence_ = 0;
    uint32_t cycles_ = 0;
    uint32_t baseExtended_ = 0;
    // Above 0xffff: no candidate for a restart yet.
    uint32_t badSequence_ = 0x10001;
    uint32_t received_ = 0;
    uint32_t expectedPrior_ = 0;
    uint32_t receivedPrior_ = 0;
};
