#include "transport/rtp/SequenceValidator.h"

namespace {

constexpr uint32_t kSequenceModulus = 0x10000;

}  // namespace

SequenceValidator::SequenceValidator(uint16_t firstSequence) {
    Restart(firstSequence);
    maxSequence_ = static_cast<uint16_t>(firstSequence - 1);
    probation_ = kMinSequential;
}

void SequenceValidator::Restart(uint16_t sequence) {
    maxSequence_ = sequence;
    baseExtended_ = cycles_ + sequence;
    badSequence_ = kSequenceModulus + 1;
    received_ = 0;
    expectedPrior_ = 0;
    receivedPrior_ = 0;
}

SequenceValidator::Update SequenceValidator::AcceptInProbation(uint16_t sequence) {
    if (sequence != static_cast<uint16_t>(maxSequence_ + 1)) {
        probation_ = kMinSequential - 1;
        maxSequence_ = sequence;
        return {Verdict::kProbation, 0};
    }
    if (sequence < maxSequence_) cycles_ += kSequenceModulus;
    maxSequence_ = sequence;
    if (--probation_ > 0) return {Verdict::kProbation, 0};
    // Count the held packets of the run that just ended probation.
    baseExtended_ = ExtendedHighest() - (kMinSequential - 1);
    received_ = kMinSequential;
    return {Verdict::kValidated, ExtendedHighest()};
}

SequenceValidator::Update SequenceValidator::Accept(uint16_t sequence) {
    if (probation_ > 0) return AcceptInProbation(sequence);

    const uint16_t delta = static_cast<uint16_t>(sequence - maxSequence_);
    if (delta < kMaxDropout) {
        if (sequence < maxSequence_) cycles_ += kSequenceModulus;
        maxSequence_ = sequence;
        ++received_;
        return {Verdict::kAccepted, ExtendedHighest()};
    }
    if (delta <= kSequenceModulus - kMaxMisorder) {
        if (sequence != badSequence_) {
            badSequence_ = (sequence + 1u) & (kSequenceModulus - 1);
            return {Verdict::kRejected, 0};
        }
        // Numbers after a restart continue above everything seen so far, so
        // that queue order and reports stay monotonic.
        cycles_ += kSequenceModulus;
        Restart(sequence);
        ++received_;
        return {Verdict::kRestarted, ExtendedHighest()};
    }
    // Duplicate or misordered: it belongs at or below the highest number.
    ++received_;
    const uint16_t behind = static_cast<uint16_t>(maxSequence_ - sequence);
    return {Verdict::kAccepted, ExtendedHighest() - behind};
}

uint8_t SequenceValidator::TakeFractionLost() {
    const uint32_t expected = Expected();
    const uint32_t expectedInterval = expected - expectedPrior_;
    const uint32_t receivedInterval = received_ - receivedPrior_;
    expectedPrior_ = expected;
    receivedPrior_ = received_;
    if (expectedInterval == 0 || receivedInterval >= expectedInterval) return 0;
    const uint32_t lostInterval = expectedInterval - receivedInterval;
    return static_cast<uint8_t>((static_cast<uint64_t>(lostInterval) << 8) / expectedInterval);
}
