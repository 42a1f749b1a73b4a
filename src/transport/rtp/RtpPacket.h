#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

// One RTP data packet (RFC 3550 section 5.1). Parse refuses any datagram
// whose header, CSRC list, extension or padding does not fit inside it, so
// nothing is ever read past its end.
class RtpPacket {
public:
    static constexpr std::size_t kFixedHeaderBytes = 12;
    static constexpr uint8_t kVersion = 2;
    static constexpr std::size_t kMaxCsrcs = 15;

    static std::optional<RtpPacket> Parse(std::span<const uint8_t> datagram);

    // The whole datagram: fixed header, CSRCs, payload. We never send an
    // extension or padding.
    std::vector<uint8_t> Build() const;
    std::size_t BuiltBytes() const;

    uint8_t payloadType = 0;
    bool marker = false;
    uint16_t sequenceNumber = 0;
    uint32_t timestamp = 0;
    uint32_t ssrc = 0;
    std::vector<uint32_t> csrcs;
    std::vector<uint8_t> payload;
};
