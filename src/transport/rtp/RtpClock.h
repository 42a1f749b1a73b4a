#pragma once

#include <cstdint>

// Where a session reads the time, so that tests can drive report intervals
// and statistics with a clock of their own.
class RtpClock {
public:
    virtual ~RtpClock() = default;
    // Monotonic time for intervals and arrival times.
    virtual int64_t MonotonicMicros() const = 0;
    // Wall-clock time as a 64-bit NTP timestamp (32.32 fixed point) for
    // sender reports.
    virtual uint64_t NtpTimestamp() const = 0;
};
