#include "transport/rtp/SystemRtpClock.h"

#include <chrono>

namespace {

// Seconds from 1900-01-01 (NTP era 0) to 1970-01-01.
constexpr uint64_t kNtpUnixOffsetSeconds = 2208988800ull;

}  // namespace

const SystemRtpClock& SystemRtpClock::Instance() {
    static const SystemRtpClock clock;
    return clock;
}

int64_t SystemRtpClock::MonotonicMicros() const {
    using namespace std::chrono;
    return duration_cast<microseconds>(steady_clock::now().time_since_epoch()).count();
}

uint64_t SystemRtpClock::NtpTimestamp() const {
    using namespace std::chrono;
    const auto sinceEpoch = duration_cast<nanoseconds>(system_clock::now().time_since_epoch());
    const uint64_t nanos = static_cast<uint64_t>(sinceEpoch.count());
    const uint64_t seconds = nanos / 1000000000ull + kNtpUnixOffsetSeconds;
    const uint64_t fraction = ((nanos % 1000000000ull) << 32) / 1000000000ull;
    return (seconds << 32) | fraction;
}
