#pragma once

#include <atomic>
#include <functional>
#include <thread>

// The thread of one receive loop: at most one runs, it is told to stop
// through its flag and joined, never killed.
class ReceiveLoopThread {
public:
    using Loop = std::function<void(const std::atomic<bool>& stop)>;

    ReceiveLoopThread() = default;
    ReceiveLoopThread(const ReceiveLoopThread&) = delete;
    ReceiveLoopThread& operator=(const ReceiveLoopThread&) = delete;
    ~ReceiveLoopThread() { Stop(); }

    // Fails while a loop is still running; a loop that has returned by
    // itself is joined first.
    bool Start(Loop loop);
    void Stop();
    bool IsRunning() const { return running_; }

private:
    std::thread thread_;
    std::atomic<bool> stop_{false};
    std::atomic<bool> running_{false};
};
