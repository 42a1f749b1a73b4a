#include "transport/rtp/RtpPacket.h"

#include <algorithm>

#include "transport/rtp/ByteOrder.h"

using byte_order::Read16;
using byte_order::Read32;

std::optional<RtpPacket> RtpPacket::Parse(std::span<const uint8_t> datagram) {
    const std::size_t size = datagram.size();
    if (size < kFixedHeaderBytes) return std::nullopt;
    const uint8_t* p = datagram.data();
    if ((p[0] >> 6) != kVersion) return std::nullopt;
    const bool hasPadding = (p[0] & 0x20) != 0;
    const bool hasExtension = (p[0] & 0x10) != 0;
    const std::size_t csrcCount = p[0] & 0x0f;

    std::size_t headerBytes = kFixedHeaderBytes + 4 * csrcCount;
    if (headerBytes > size) return std::nullopt;
    if (hasExtension) {
        if (headerBytes + 4 > size) return std::nullopt;
        const std::size_t extensionWords = Read16(p + headerBytes + 2);
        headerBytes += 4 + 4 * extensionWords;
        if (headerBytes > size) return std::nullopt;
    }
    std::size_t paddingBytes = 0;
    if (hasPadding) {
        paddingBytes = p[size - 1];
        if (paddingBytes == 0 || headerBytes + paddingBytes > size) return std::nullopt;
    }

    RtpPacket packet;
    packet.marker = (p[1] & 0x80) != 0;
    packet.payloadType = p[1] & 0x7f;
    packet.sequenceNumber = Read16(p + 2);
    packet.timestamp = Read32(p + 4);
    packet.ssrc = Read32(p + 8);
    packet.csrcs.reserve(csrcCount);
    for (std::size_t i = 0; i < csrcCount; ++i) {
        packet.csrcs.push_back(Read32(p + kFixedHeaderBytes + 4 * i));
    }
    packet.payload.assign(p + headerBytes, p + size - paddingBytes);
    return packet;
}

std::size_t RtpPacket::BuiltBytes() const {
    return kFixedHeaderBytes + 4 * std::min(csrcs.size(), kMaxCsrcs) + payload.size();
}

std::vector<uint8_t> RtpPacket::Build() const {
    const std::size_t csrcCount = std::min(csrcs.size(), kMaxCsrcs);
    std::vector<uint8_t> out(BuiltBytes());
    uint8_t* p = out.data();
    p[0] = static_cast<uint8_t>((kVersion << 6) | csrcCount);
    p[1] = static_cast<uint8_t>((marker ? 0x80 : 0) | (payloadType & 0x7f));
    byte_order::Write16(p + 2, sequenceNumber);
    byte_order::Write32(p + 4, timestamp);
    byte_order::Write32(p + 8, ssrc);
    for (std::size_t i = 0; i < csrcCount; ++i) {
        byte_order::Write32(p + kFixedHeaderBytes + 4 * i, csrcs[i]);
    }
    std::copy(payload.begin(), payload.end(), p + kFixedHeaderBytes + 4 * csrcCount);
    return out;
}
