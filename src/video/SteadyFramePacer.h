#pragma once

#include <condition_variable>
#include <mutex>

#include "video/FramePacer.h"

// Paces on the steady clock; Interrupt wakes a waiting thread at once.
class SteadyFramePacer : public FramePacer {
public:
    Clock::time_point Now() override;
    bool WaitUntil(Clock::time_point deadline) override;
    void Interrupt() override;

private:
    std::mutex mutex_;
    std::condition_variable wake_;
    bool interrupted_ = false;
};
