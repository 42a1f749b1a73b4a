#pragma once

#include <chrono>
#include <cstdint>
#include <functional>

// Port pairs that are free right now, so that tests running side by side
// (and other people's runs) never share the fixed media ports.
class LoopbackPorts {
public:
    static constexpr uint32_t kLoopback = 0x7f000001;

    // An even port whose successor is free too (RTP and RTCP).
    static uint16_t FreePair();
    // Polls the condition until it holds or the time is up.
    static bool WaitUntil(const std::function<bool()>& condition,
                          std::chrono::milliseconds timeout = std::chrono::seconds(5));
};
