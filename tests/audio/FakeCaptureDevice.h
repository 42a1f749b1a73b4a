#pragma once

#include <deque>
#include <mutex>

#include "audio/CaptureDevice.h"

// A capture device whose buffers the test fills and hands back by hand.
class FakeCaptureDevice : public CaptureDevice {
public:
    struct Shared {
        std::mutex mutex;
        std::deque<std::vector<uint8_t>> queued;
        BufferDone done;
        int opens = 0;
    };

    FakeCaptureDevice(std::shared_ptr<Shared> shared, BufferDone done)
        : shared_(std::move(shared)) {
        std::lock_guard lock(shared_->mutex);
        shared_->done = std::move(done);
    }
    int Open(const std::string&, unsigned) override {
        std::lock_guard lock(shared_->mutex);
        ++shared_->opens;
        return 0;
    }
    void Queue(std::vector<uint8_t> buffer) override {
        std::lock_guard lock(shared_->mutex);
        shared_->queued.push_back(std::move(buffer));
    }
    int Start() override { return 0; }

    static Factory MakeFactory(std::shared_ptr<Shared> shared) {
        return [shared](BufferDone done, std::atomic<uint64_t>&) {
            return std::make_unique<FakeCaptureDevice>(shared, std::move(done));
        };
    }

    // Fills the oldest queued buffer with byteCount bytes of value and hands
    // it back; false when none is queued.
    static bool Finish(Shared& shared, size_t byteCount, uint8_t value) {
        std::vector<uint8_t> buffer;
        BufferDone done;
        {
            std::lock_guard lock(shared.mutex);
            if (shared.queued.empty()) return false;
            buffer = std::move(shared.queued.front());
            shared.queued.pop_front();
            done = shared.done;
        }
        buffer.assign(byteCount, value);
        done(std::move(buffer));
        return true;
    }
    static size_t Queued(Shared& shared) {
        std::lock_guard lock(shared.mutex);
        return shared.queued.size();
    }

private:
    std::shared_ptr<Shared> shared_;
};
