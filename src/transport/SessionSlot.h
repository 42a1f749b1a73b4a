#pragma once

#include <memory>
#include <mutex>
#include <string>

#include "transport/rtp/RtpSession.h"

// Holds one of the media sessions, absent or created. The lock keeps a
// sender or reader from using the session while the window's thread
// creates or destroys it.
class SessionSlot {
public:
    // Fails and keeps the existing session when one is already created.
    bool Open(const RtpSessionParams& params, std::string& error);
    bool AddDestination(uint32_t address, uint16_t rtpPort, std::string& error);
    // Closing an absent session does nothing.
    void Close();
    bool IsOpen() const;

    // Runs use(session) under the slot's lock; session is null when absent.
    template <typename Use>
    auto WithSession(Use&& use) {
        std::lock_guard lock(mutex_);
        return use(session_.get());
    }

private:
    mutable std::mutex mutex_;
    std::unique_ptr<RtpSession> session_;
};
