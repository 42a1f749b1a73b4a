#include "video/SteadyFramePacer.h"

FramePacer::Clock::time_point SteadyFramePacer::Now() { return Clock::now(); }

bool SteadyFramePacer::WaitUntil(Clock::time_point deadline) {
    std::unique_lock lock(mutex_);
    return !wake_.wait_until(lock, deadline, [this] { return interrupted_; });
}

void SteadyFramePacer::Interrupt() {
    {
        std::lock_guard lock(mutex_);
        interrupted_ = true;
    }
    wake_.notify_all();
}
