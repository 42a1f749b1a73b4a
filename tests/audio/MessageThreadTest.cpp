#include "audio/MessageThread.h"

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <mutex>
#include <vector>

namespace {

using namespace std::chrono_literals;

// Records handled message ids; a handler for id 99 blocks until released.
class Recorder {
public:
    void Handle(ThreadMessage& message) {
        if (message.id == 99) {
            entered_.set_value();
            release_.get_future().wait();
        }
        std::lock_guard lock(mutex_);
        ids_.push_back(message.id);
    }
    std::vector<uint32_t> Ids() {
        std::lock_guard lock(mutex_);
        return ids_;
    }
    bool WaitFor(size_t count) {
        for (int i = 0; i < 500; ++i) {
            if (Ids().size() >= count) return true;
            std::this_thread::sleep_for(2ms);
        }
        return false;
    }
    std::promise<void> entered_;
    std::promise<void> release_;

private:
    std::mutex mutex_;
    std::vector<uint32_t> ids_;
};

TEST(MessageThreadTest, HandlesMessagesInPostingOrderWithTheirBlocks) {
    std::vector<uint8_t> seen;
    Recorder recorder;
    MessageThread thread([&](ThreadMessage& m) {
        if (!m.block.empty()) seen.push_back(m.block[0]);
        recorder.Handle(m);
    });
    for (uint32_t id = 1; id <= 5; ++id) thread.Post({id, {static_cast<uint8_t>(id * 10)}});
    ASSERT_TRUE(recorder.WaitFor(5));
    thread.Stop();
    EXPECT_EQ(recorder.Ids(), (std::vector<uint32_t>{1, 2, 3, 4, 5}));
    EXPECT_EQ(seen, (std::vector<uint8_t>{10, 20, 30, 40, 50}));
}

TEST(MessageThreadTest, PauseWaitsForTheMessageInHandAndHoldsTheRest) {
    Recorder recorder;
    MessageThread thread([&](ThreadMessage& m) { recorder.Handle(m); });
    thread.Post({99, {}});
    recorder.entered_.get_future().wait();
    auto paused = std::async(std::launch::async, [&] { thread.Pause(); });
    EXPECT_EQ(paused.wait_for(50ms), std::future_status::timeout);  // still inside message 99
    thread.Post({2, {}});
    recorder.release_.set_value();
    paused.get();
    std::this_thread::sleep_for(50ms);
    EXPECT_EQ(recorder.Ids(), (std::vector<uint32_t>{99}));  // message 2 waits for the resume
    thread.Resume();
    ASSERT_TRUE(recorder.WaitFor(2));
    EXPECT_EQ(recorder.Ids(), (std::vector<uint32_t>{99, 2}));
}

TEST(MessageThreadTest, QuitEndsTheLoopAndLaterPostsAreIgnored) {
    Recorder recorder;
    MessageThread* self = nullptr;
    MessageThread thread([&](ThreadMessage& m) {
        recorder.Handle(m);
        if (m.id == 7) self->Quit();
    });
    self = &thread;
    thread.Post({7, {}});
    thread.Post({8, {}});
    ASSERT_TRUE(recorder.WaitFor(1));
    for (int i = 0; i < 500 && !thread.HasEnded(); ++i) std::this_thread::sleep_for(2ms);
    EXPECT_TRUE(thread.HasEnded());
    thread.Post({9, {}});
    thread.Stop();
    EXPECT_EQ(recorder.Ids(), (std::vector<uint32_t>{7}));
}

TEST(MessageThreadTest, PauseOfAnIdleThreadReturnsAtOnceAndStopJoinsWhilePaused) {
    Recorder recorder;
    MessageThread thread([&](ThreadMessage& m) { recorder.Handle(m); });
    thread.Pause();
    thread.Post({1, {}});
    thread.Stop();
    EXPECT_TRUE(recorder.Ids().empty());
}

}  // namespace
