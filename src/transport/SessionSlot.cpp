#include "transport/SessionSlot.h"

bool SessionSlot::Open(const RtpSessionParams& params, std::string& error) {
    std::lock_guard lock(mutex_);
    if (session_) {
        error = "the session is already created";
        return false;
    }
    session_ = RtpSession::Create(params, error);
    return session_ != nullptr;
}

bool SessionSlot::AddDestination(uint32_t address, uint16_t rtpPort, std::string& error) {
    std::lock_guard lock(mutex_);
    if (!session_) {
        error = "the session is not created";
        return false;
    }
    return session_->AddDestination(address, rtpPort, error);
}

void SessionSlot::Close() {
    std::unique_ptr<RtpSession> closing;
    {
        std::lock_guard lock(mutex_);
        closing = std::move(session_);
    }
    // Destroyed outside the lock: joining the poll thread may take a moment.
}

bool SessionSlot::IsOpen() const {
    std::lock_guard lock(mutex_);
    return session_ != nullptr;
}
