#pragma once

#include "transport/rtp/RtpClock.h"

// The real clocks: steady_clock and system_clock.
class SystemRtpClock : public RtpClock {
public:
    static const SystemRtpClock& Instance();

    int64_t MonotonicMicros() const override;
    uint64_t NtpTimestamp() const override;
};
