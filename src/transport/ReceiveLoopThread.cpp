#include "transport/ReceiveLoopThread.h"

#include <utility>

bool ReceiveLoopThread::Start(Loop loop) {
    if (running_) return false;
    if (thread_.joinable()) thread_.join();
    stop_ = false;
    running_ = true;
    thread_ = std::thread([this, loop = std::move(loop)] {
        // An exception ends the loop quietly; the stream just stops.
        try {
            loop(stop_);
        } catch (...) {
        }
        running_ = false;
    });
    return true;
}

void ReceiveLoopThread::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
}
