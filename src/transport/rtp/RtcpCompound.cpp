#include "transport/rtp/RtcpCompound.h"

#include <algorithm>

#include "transport/rtp/ByteOrder.h"

using byte_order::Read16;
using byte_order::Read32;
using byte_order::Write16;
using byte_order::Write32;

namespace {

constexpr std::size_t kHeaderBytes = 4;
constexpr std::size_t kSenderInfoBytes = 20;
constexpr std::size_t kReportBlockBytes = 24;
constexpr uint8_t kCnameItem = 1;

int32_t SignExtend24(uint32_t value) {
    return (value & 0x800000) ? static_cast<int32_t>(value | 0xff000000u)
                              : static_cast<int32_t>(value);
}

uint32_t Clamp24(int32_t value) {
    const int32_t clamped = std::clamp(value, -0x800000, 0x7fffff);
    return static_cast<uint32_t>(clamped) & 0xffffff;
}

void AppendHeader(std::vector<uint8_t>& out, uint8_t count, uint8_t type, std::size_t bytes) {
    const std::size_t at = out.size();
    out.resize(at + kHeaderBytes);
    out[at] = static_cast<uint8_t>(0x80 | count);
    out[at + 1] = type;
    Write16(out.data() + at + 2, static_cast<uint16_t>(bytes / 4 - 1));
}

void Append32(std::vector<uint8_t>& out, uint32_t value) {
    const std::size_t at = out.size();
    out.resize(at + 4);
    Write32(out.data() + at, value);
}

}  // namespace

std::optional<RtcpCompound> RtcpCompound::Parse(std::span<const uint8_t> datagram) {
    if (datagram.size() < kHeaderBytes || datagram.size() % 4 != 0) return std::nullopt;
    const uint8_t firstType = datagram[1];
    // The first packet must be a report without padding (RFC 3550 A.2).
    if ((datagram[0] & 0x20) != 0) return std::nullopt;
    if (firstType != kSenderReport && firstType != kReceiverReport) return std::nullopt;

    RtcpCompound compound;
    std::size_t offset = 0;
    while (offset < datagram.size()) {
        const uint8_t* p = datagram.data() + offset;
        const std::size_t remaining = datagram.size() - offset;
        if (remaining < kHeaderBytes || (p[0] >> 6) != 2) return std::nullopt;
        const std::size_t packetBytes = (static_cast<std::size_t>(Read16(p + 2)) + 1) * 4;
        if (packetBytes > remaining) return std::nullopt;
        std::size_t bodyBytes = packetBytes - kHeaderBytes;
        if ((p[0] & 0x20) != 0) {
            // Only the last packet of a compound may be padded.
            if (packetBytes != remaining) return std::nullopt;
            const std::size_t paddingBytes = p[packetBytes - 1];
            if (paddingBytes == 0 || paddingBytes > bodyBytes) return std::nullopt;
            bodyBytes -= paddingBytes;
        }
        if (!compound.ParsePacket(p[1], p[0] & 0x1f, offset == 0, {p + kHeaderBytes, bodyBytes})) {
            return std::nullopt;
        }
        offset += packetBytes;
    }
    return compound;
}

bool RtcpCompound::ParsePacket(uint8_t type, uint8_t count, bool isFirst,
                               std::span<const uint8_t> body) {
    switch (type) {
        case kSenderReport:
            return ParseReport(true, isFirst, count, body);
        case kReceiverReport:
            return ParseReport(false, isFirst, count, body);
        case kSourceDescription:
            return ParseSourceDescription(count, body);
        case kGoodbye:
            return ParseGoodbye(count, body);
        default:
            // APP and unknown packet types are skipped whole.
            return true;
    }
}

bool RtcpCompound::ParseReport(bool isSenderReport, bool isFirst, uint8_t count,
                               std::span<const uint8_t> body) {
    const std::size_t infoBytes = isSenderReport ? kSenderInfoBytes : 0;
    if (body.size() < 4 + infoBytes + count * kReportBlockBytes) return false;
    const uint8_t* p = body.data();
    // Only the leading report speaks for the sender of the compound.
    if (isFirst) senderSsrc = Read32(p);
    if (isSenderReport && isFirst) {
        SenderInfo info;
        info.ntpTimestamp = (static_cast<uint64_t>(Read32(p + 4)) << 32) | Read32(p + 8);
        info.rtpTimestamp = Read32(p + 12);
        info.packetCount = Read32(p + 16);
        info.octetCount = Read32(p + 20);
        senderInfo = info;
    }
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t* b = p + 4 + infoBytes + i * kReportBlockBytes;
        ReportBlock block;
        block.ssrc = Read32(b);
        block.fractionLost = b[4];
        block.cumulativeLost = SignExtend24(Read32(b + 4) & 0xffffff);
        block.extendedHighestSequence = Read32(b + 8);
        block.jitter = Read32(b + 12);
        block.lastSenderReport = Read32(b + 16);
        block.delaySinceLastSenderReport = Read32(b + 20);
        reportBlocks.push_back(block);
    }
    return true;
}

bool RtcpCompound::ParseSourceDescription(uint8_t count, std::span<const uint8_t> body) {
    std::size_t offset = 0;
    for (std::size_t chunk = 0; chunk < count; ++chunk) {
        if (offset + 4 > body.size()) return false;
        const uint32_t ssrc = Read32(body.data() + offset);
        offset += 4;
        while (true) {
            if (offset >= body.size()) return false;
            const uint8_t itemType = body[offset];
            if (itemType == 0) {
                // The item list ends with a null byte and pads to a word.
                offset = (offset + 4) & ~static_cast<std::size_t>(3);
                if (offset > body.size()) return false;
                break;
            }
            if (offset + 2 > body.size()) return false;
            const std::size_t length = body[offset + 1];
            if (offset + 2 + length > body.size()) return false;
            if (itemType == kCnameItem && (cname.empty() || ssrc == senderSsrc)) {
                cname.assign(reinterpret_cast<const char*>(body.data() + offset + 2), length);
            }
            offset += 2 + length;
        }
    }
    return true;
}

bool RtcpCompound::ParseGoodbye(uint8_t count, std::span<const uint8_t> body) {
    if (body.size() < 4 * static_cast<std::size_t>(count)) return false;
    for (std::size_t i = 0; i < count; ++i) goodbyeSsrcs.push_back(Read32(body.data() + 4 * i));
    return true;
}

std::vector<uint8_t> RtcpCompound::Build() const {
    std::vector<uint8_t> out;
    AppendReport(out);
    AppendSourceDescription(out);
    return out;
}

void RtcpCompound::AppendReport(std::vector<uint8_t>& out) const {
    const std::size_t count = std::min(reportBlocks.size(), kMaxReportBlocks);
    const std::size_t bytes =
        kHeaderBytes + 4 + (senderInfo ? kSenderInfoBytes : 0) + count * kReportBlockBytes;
    AppendHeader(out, static_cast<uint8_t>(count), senderInfo ? kSenderReport : kReceiverReport,
                 bytes);
    Append32(out, senderSsrc);
    if (senderInfo) {
        Append32(out, static_cast<uint32_t>(senderInfo->ntpTimestamp >> 32));
        Append32(out, static_cast<uint32_t>(senderInfo->ntpTimestamp));
        Append32(out, senderInfo->rtpTimestamp);
        Append32(out, senderInfo->packetCount);
        Append32(out, senderInfo->octetCount);
    }
    for (std::size_t i = 0; i < count; ++i) {
        const ReportBlock& block = reportBlocks[i];
        Append32(out, block.ssrc);
        Append32(out,
                 (static_cast<uint32_t>(block.fractionLost) << 24) | Clamp24(block.cumulativeLost));
        Append32(out, block.extendedHighestSequence);
        Append32(out, block.jitter);
        Append32(out, block.lastSenderReport);
        Append32(out, block.delaySinceLastSenderReport);
    }
}

void RtcpCompound::AppendSourceDescription(std::vector<uint8_t>& out) const {
    const std::size_t cnameBytes = std::min(cname.size(), kMaxCnameBytes);
    // SSRC, CNAME item, then at least one null byte, padded to a word.
    const std::size_t chunkBytes = (4 + 2 + cnameBytes + 1 + 3) & ~static_cast<std::size_t>(3);
    AppendHeader(out, 1, kSourceDescription, kHeaderBytes + chunkBytes);
    const std::size_t chunkAt = out.size();
    out.resize(chunkAt + chunkBytes, 0);
    Write32(out.data() + chunkAt, senderSsrc);
    out[chunkAt + 4] = kCnameItem;
    out[chunkAt + 5] = static_cast<uint8_t>(cnameBytes);
    std::copy_n(cname.begin(), cnameBytes, out.begin() + static_cast<std::ptrdiff_t>(chunkAt + 6));
}
