#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

// One compound RTCP datagram (RFC 3550 section 6): a sender or receiver
// report first, then any further packets. Parse applies the header
// validity checks of RFC 3550 Appendix A.2 and reads only the parts this
// terminal uses (reports, CNAME, BYE); Build writes SR or RR plus SDES CNAME.
class RtcpCompound {
public:
    static constexpr uint8_t kSenderReport = 200;
    static constexpr uint8_t kReceiverReport = 201;
    static constexpr uint8_t kSourceDescription = 202;
    static constexpr uint8_t kGoodbye = 203;
    static constexpr std::size_t kMaxReportBlocks = 31;
    static constexpr std::size_t kMaxCnameBytes = 255;

    struct SenderInfo {
        uint64_t ntpTimestamp = 0;
        uint32_t rtpTimestamp = 0;
        uint32_t packetCount = 0;
        uint32_t octetCount = 0;
    };

    struct ReportBlock {
        uint32_t ssrc = 0;
        uint8_t fractionLost = 0;
        // 24-bit signed on the wire.
        int32_t cumulativeLost = 0;
        uint32_t extendedHighestSequence = 0;
        uint32_t jitter = 0;
        uint32_t lastSenderReport = 0;
        uint32_t delaySinceLastSenderReport = 0;
    };

    static std::optional<RtcpCompound> Parse(std::span<const uint8_t> datagram);
    std::vector<uint8_t> Build() const;

    uint32_t senderSsrc = 0;
    // Present for a sender report.
    std::optional<SenderInfo> senderInfo;
    std::vector<ReportBlock> reportBlocks;
    std::string cname;
    std::vector<uint32_t> goodbyeSsrcs;

private:
    bool ParsePacket(uint8_t type, uint8_t count, bool isFirst, std::span<const uint8_t> body);
    bool ParseReport(bool isSenderReport, bool isFirst, uint8_t count,
                     std::span<const uint8_t> body);
    bool ParseSourceDescription(uint8_t count, std::span<const uint8_t> body);
    bool ParseGoodbye(uint8_t count, std::span<const uint8_t> body);
    void AppendReport(std::vector<uint8_t>& out) const;
    void AppendSourceDescription(std::vector<uint8_t>& out) const;
};
