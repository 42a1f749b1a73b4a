#include "audio/MessageThread.h"

MessageThread::MessageThread(Handler handler)
    : handler_(std::move(handler)), thread_([this] { Run(); }) {}

MessageThread::~MessageThread() { Stop(); }

void MessageThread::Stop() {
    {
        std::lock_guard lock(mutex_);
        ended_ = true;
    }
    wake_.notify_all();
    if (thread_.joinable()) thread_.join();
}

void MessageThread::Post(ThreadMessage message) {
    {
        std::lock_guard lock(mutex_);
        if (ended_) return;
        queue_.push_back(std::move(message));
    }
    wake_.notify_all();
}

void MessageThread::Pause() {
    std::unique_lock lock(mutex_);
    paused_ = true;
    rested_.wait(lock, [this] { return !handling_; });
}

void MessageThread::Resume() {
    {
        std::lock_guard lock(mutex_);
        paused_ = false;
    }
    wake_.notify_all();
}

void MessageThread::Quit() {
    std::lock_guard lock(mutex_);
    ended_ = true;
}

bool MessageThread::HasEnded() const {
    std::lock_guard lock(mutex_);
    return ended_;
}

bool MessageThread::WaitForMessage(ThreadMessage& message) {
    std::unique_lock lock(mutex_);
    handling_ = false;
    rested_.notify_all();
    wake_.wait(lock, [this] { return ended_ || (!paused_ && !queue_.empty()); });
    if (ended_) return false;
    message = std::move(queue_.front());
    queue_.pop_front();
    handling_ = true;
    return true;
}

void MessageThread::Run() {
    ThreadMessage message;
    while (WaitForMessage(message)) handler_(message);
    std::lock_guard lock(mutex_);
    handling_ = false;
    rested_.notify_all();
}
