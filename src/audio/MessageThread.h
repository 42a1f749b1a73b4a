#pragma once

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

// A message posted to a MessageThread. A block travels inside the message,
// so the receiving thread owns it alone.
struct ThreadMessage {
    uint32_t id = 0;
    std::vector<uint8_t> block;
};

// A worker thread driven by its own message queue. It handles one message at
// a time, in posting order. Pause and resume take effect only between two
// messages, never inside a handler. The destructor ends the loop after the
// message in hand and joins the thread; messages still queued are dropped.
class MessageThread {
public:
    using Handler = std::function<void(ThreadMessage&)>;

    // Starts the thread at once; it waits for messages.
    explicit MessageThread(Handler handler);
    ~MessageThread();
    MessageThread(const MessageThread&) = delete;
    MessageThread& operator=(const MessageThread&) = delete;

    // Queues a message; ignored once the loop has ended.
    void Post(ThreadMessage message);
    // Returns once the thread rests between two messages and takes no more
    // until Resume. Must not be called from the thread itself.
    void Pause();
    void Resume();
    // From a handler: end the loop after the message in hand.
    void Quit();
    // From another thread: end the loop after the message in hand and join.
    void Stop();
    bool HasEnded() const;

private:
    void Run();
    bool WaitForMessage(ThreadMessage& message);

    Handler handler_;
    mutable std::mutex mutex_;
    std::condition_variable wake_;
    std::condition_variable rested_;
    std::deque<ThreadMessage> queue_;
    bool paused_ = false;
    bool handling_ = false;
    bool ended_ = false;
    std::thread thread_;
};
