#pragma once

#include <chrono>

// The clock that paces a camera's frames; tests put a fake in its place.
class FramePacer {
public:
    using Clock = std::chrono::steady_clock;

    virtual ~FramePacer() = default;
    virtual Clock::time_point Now() = 0;
    // Returns when the deadline has come (true) or on Interrupt (false).
    virtual bool WaitUntil(Clock::time_point deadline) = 0;
    // Safe from any thread; every later WaitUntil returns false at once.
    virtual void Interrupt() = 0;
};
