#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

class RtpClock;

// Everything a session is created with: the session parameters (timestamp
// unit, own packets, packet size, RTCP) and the UDP transmission
// parameters (port base, receive buffers).
struct RtpSessionParams {
    // RTP binds here, RTCP on portBase + 1; all interfaces.
    uint16_t portBase = 0;
    double timestampUnitSeconds = 1.0 / 8000;
    // Keep packets that carry our own SSRC (as when a session hears itself).
    bool acceptOwnPackets = false;
    std::size_t maximumPacketBytes = 1400;
    int rtpReceiveBufferBytes = 32768;
    int rtcpReceiveBufferBytes = 32768;
    double sessionBandwidthBytesPerSecond = 10000;
    double rtcpMinimumIntervalSeconds = 5;
    std::string cname = "videophone";
    // When set, datagrams from any other IPv4 address are dropped.
    std::optional<uint32_t> acceptedSenderAddress;
    // Defaults: the system clocks and a randomly seeded generator.
    const RtpClock* clock = nullptr;
    std::function<uint32_t()> random;
};
