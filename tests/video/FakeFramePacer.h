#pragma once

#include <atomic>
#include <mutex>
#include <vector>

#include "video/FramePacer.h"

// A pacer whose time jumps to every deadline at once; it records the
// deadlines it was asked to wait for.
class FakeFramePacer : public FramePacer {
public:
    explicit FakeFramePacer(Clock::time_point start = Clock::time_point{}) : now_(start) {}

    Clock::time_point Now() override {
        std::lock_guard lock(mutex_);
        return now_;
    }
    bool WaitUntil(Clock::time_point deadline) override {
        if (interrupted_) return false;
        std::lock_guard lock(mutex_);
        deadlines_.push_back(deadline);
        if (deadline > now_) now_ = deadline;
        return true;
    }
    void Interrupt() override { interrupted_ = true; }

    std::vector<Clock::time_point> deadlines() const {
        std::lock_guard lock(mutex_);
        return deadlines_;
    }

private:
    mutable std::mutex mutex_;
    Clock::time_point now_;
    std::vector<Clock::time_point> deadlines_;
    std::atomic<bool> interrupted_{false};
};
