#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "transport/rtp/RtcpCompound.h"
#include "transport/rtp/RtpPacket.h"

namespace {

using Bytes = std::vector<uint8_t>;

// V=2, no padding, no extension, no CSRC; M=1, PT=120; seq 0x1234;
// timestamp 0x01020304; SSRC 0xdeadbeef; payload "abc".
const Bytes kPacket = {0x80, 0xf8, 0x12, 0x34, 0x01, 0x02, 0x03, 0x04,
                       0xde, 0xad, 0xbe, 0xef, 'a',  'b',  'c'};

TEST(RtpPacketTest, ParsesLiteralPacket) {
    const auto packet = RtpPacket::Parse(kPacket);
    ASSERT_TRUE(packet);
    EXPECT_TRUE(packet->marker);
    EXPECT_EQ(packet->payloadType, 120);
    EXPECT_EQ(packet->sequenceNumber, 0x1234);
    EXPECT_EQ(packet->timestamp, 0x01020304u);
    EXPECT_EQ(packet->ssrc, 0xdeadbeefu);
    EXPECT_EQ(packet->payload, (Bytes{'a', 'b', 'c'}));
}

TEST(RtpPacketTest, BuildWritesTheSameBytes) {
    RtpPacket packet;
    packet.marker = true;
    packet.payloadType = 120;
    packet.sequenceNumber = 0x1234;
    packet.timestamp = 0x01020304;
    packet.ssrc = 0xdeadbeef;
    packet.payload = {'a', 'b', 'c'};
    EXPECT_EQ(packet.Build(), kPacket);
}

TEST(RtpPacketTest, SkipsCsrcsExtensionAndPadding) {
    // CC=1, X=1, P=1: CSRC, a one-word extension, payload "xy", 2 bytes of
    // padding whose last byte gives the count.
    const Bytes datagram = {0xb1, 0x00, 0,    1,    0, 0, 0, 2, 0, 0, 0,   3,   0xca, 0xfe,
                            0xba, 0xbe, 0xbe, 0xde, 0, 1, 9, 9, 9, 9, 'x', 'y', 0,    2};
    const auto packet = RtpPacket::Parse(datagram);
    ASSERT_TRUE(packet);
    EXPECT_EQ(packet->csrcs, (std::vector<uint32_t>{0xcafebabe}));
    EXPECT_EQ(packet->payload, (Bytes{'x', 'y'}));
}

TEST(RtpPacketTest, RejectsMalformedDatagrams) {
    struct Case {
        const char* name;
        Bytes datagram;
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"shorter than the fixed header", {0x80, 0x00, 0, 1, 0, 0, 0, 0, 0, 0, 0}},
        {"version 0", {0x00, 0x00, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1}},
        {"version 1", {0x40, 0x00, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1}},
        {"version 3", {0xc0, 0x00, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1}},
        {"CSRC list past the end", {0x82, 0x00, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 1, 2, 3, 4}},
        {"extension header past the end", {0x90, 0x00, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0xbe, 0xde}},
        {"extension words past the end",
         {0x90, 0x00, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 0xbe, 0xde, 0, 2, 1, 2, 3, 4}},
        {"padding count zero", {0xa0, 0x00, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 'a', 0}},
        {"padding longer than the payload", {0xa0, 0x00, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1, 'a', 3}},
        {"padding bit on a bare header", {0xa0, 0x00, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(RtpPacket::Parse(c.datagram)) << c.name;
    }
}

TEST(RtpPacketTest, EveryTruncationOfAValidPacketIsSafe) {
    const Bytes datagram = {0xb1, 0x00, 0,    1,    0, 0, 0, 2, 0, 0, 0,   3,   0xca, 0xfe,
                            0xba, 0xbe, 0xbe, 0xde, 0, 1, 9, 9, 9, 9, 'x', 'y', 0,    2};
    for (std::size_t length = 0; length < datagram.size(); ++length) {
        // Copied so that AddressSanitizer sees reads past the shorter end.
        const Bytes cut(datagram.begin(), datagram.begin() + static_cast<std::ptrdiff_t>(length));
        const auto packet = RtpPacket::Parse(cut);
        if (packet) {
            EXPECT_LE(packet->payload.size(), length);
        }
    }
}

RtcpCompound SampleReport() {
    RtcpCompound compound;
    compound.senderSsrc = 0x11223344;
    compound.senderInfo = RtcpCompound::SenderInfo{0x0102030405060708ull, 90000, 7, 9800};
    RtcpCompound::ReportBlock block;
    block.ssrc = 0x55667788;
    block.fractionLost = 25;
    block.cumulativeLost = -3;
    block.extendedHighestSequence = 0x1ffff;
    block.jitter = 42;
    block.lastSenderReport = 0x03040506;
    block.delaySinceLastSenderReport = 65536;
    compound.reportBlocks = {block};
    compound.cname = "videophone";
    return compound;
}

TEST(RtcpCompoundTest, SenderReportRoundTrips) {
    const RtcpCompound sent = SampleReport();
    const Bytes datagram = sent.Build();
    // SR with one block (52 bytes) and SDES with "videophone" (24 bytes).
    ASSERT_EQ(datagram.size(), 76u);
    EXPECT_EQ(datagram[1], RtcpCompound::kSenderReport);
    const auto parsed = RtcpCompound::Parse(datagram);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->senderSsrc, sent.senderSsrc);
    ASSERT_TRUE(parsed->senderInfo);
    EXPECT_EQ(parsed->senderInfo->ntpTimestamp, sent.senderInfo->ntpTimestamp);
    EXPECT_EQ(parsed->senderInfo->octetCount, 9800u);
    ASSERT_EQ(parsed->reportBlocks.size(), 1u);
    EXPECT_EQ(parsed->reportBlocks[0].cumulativeLost, -3);
    EXPECT_EQ(parsed->reportBlocks[0].extendedHighestSequence, 0x1ffffu);
    EXPECT_EQ(parsed->reportBlocks[0].delaySinceLastSenderReport, 65536u);
    EXPECT_EQ(parsed->cname, "videophone");
}

TEST(RtcpCompoundTest, ReceiverReportWithoutBlocks) {
    RtcpCompound sent;
    sent.senderSsrc = 7;
    sent.cname = "abc";
    const auto parsed = RtcpCompound::Parse(sent.Build());
    ASSERT_TRUE(parsed);
    EXPECT_FALSE(parsed->senderInfo);
    EXPECT_TRUE(parsed->reportBlocks.empty());
    EXPECT_EQ(parsed->cname, "abc");
}

TEST(RtcpCompoundTest, BuildKeepsReportBlocksAndCnameWithinTheirLimits) {
    RtcpCompound sent = SampleReport();
    sent.reportBlocks.resize(RtcpCompound::kMaxReportBlocks + 5);
    sent.cname = std::string(300, 'c');
    const auto parsed = RtcpCompound::Parse(sent.Build());
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->reportBlocks.size(), RtcpCompound::kMaxReportBlocks);
    EXPECT_EQ(parsed->cname.size(), RtcpCompound::kMaxCnameBytes);
}

TEST(RtcpCompoundTest, ReadsGoodbyeAndSkipsApp) {
    Bytes datagram = {0x80, 201, 0, 1, 0, 0, 0, 9,                      // RR, no blocks
                      0x80, 204, 0, 2, 0, 0, 0, 9, 'n', 'a', 'm', 'e',  // APP
                      0x81, 203, 0, 1, 0, 0, 0, 9};                     // BYE
    const auto parsed = RtcpCompound::Parse(datagram);
    ASSERT_TRUE(parsed);
    EXPECT_EQ(parsed->goodbyeSsrcs, (std::vector<uint32_t>{9}));
}

TEST(RtcpCompoundTest, RejectsMalformedDatagrams) {
    struct Case {
        const char* name;
        Bytes datagram;
    };
    const Bytes rr = {0x80, 201, 0, 1, 0, 0, 0, 9};
    auto withTail = [&rr](Bytes tail) {
        Bytes joined = rr;
        joined.insert(joined.end(), tail.begin(), tail.end());
        return joined;
    };
    const std::vector<Case> cases = {
        {"empty", {}},
        {"shorter than a header", {0x80, 201}},
        {"not a multiple of four", {0x80, 201, 0, 1, 0, 0, 0, 9, 0}},
        {"wrong version", {0x40, 201, 0, 1, 0, 0, 0, 9}},
        {"first packet is not a report", {0x80, 202, 0, 1, 0, 0, 0, 9}},
        {"padding on the first packet", {0xa0, 201, 0, 1, 0, 0, 0, 9}},
        {"length field past the end", {0x80, 201, 0, 5, 0, 0, 0, 9}},
        {"length field short of the datagram", withTail({0, 0, 0, 0})},
        {"report blocks past the length", {0x81, 201, 0, 1, 0, 0, 0, 9}},
        {"sender info past the length", {0x80, 200, 0, 1, 0, 0, 0, 9}},
        {"second packet wrong version", withTail({0x40, 203, 0, 1, 0, 0, 0, 9})},
        {"second packet length lies", withTail({0x80, 203, 0, 3, 0, 0, 0, 9})},
        {"padding on a packet that is not last",
         withTail({0xa1, 203, 0, 1, 0, 0, 0, 9, 0x80, 203, 0, 0})},
        {"padding count zero", withTail({0xa0, 203, 0, 1, 0, 0, 0, 0})},
        {"padding count beyond the packet", withTail({0xa0, 203, 0, 1, 0, 0, 0, 9})},
        {"BYE count past the length", withTail({0x82, 203, 0, 1, 0, 0, 0, 9})},
        {"SDES chunk past the length", withTail({0x81, 202, 0, 0})},
        {"SDES item past the length", withTail({0x81, 202, 0, 2, 0, 0, 0, 9, 1, 9, 'a', 'b'})},
        {"SDES items without their end", withTail({0x81, 202, 0, 2, 0, 0, 0, 9, 1, 2, 'a', 'b'})},
    };
    for (const Case& c : cases) {
        EXPECT_FALSE(RtcpCompound::Parse(c.datagram)) << c.name;
    }
}

TEST(RtcpCompoundTest, EveryTruncationOfAValidCompoundIsSafe) {
    const Bytes datagram = SampleReport().Build();
    const std::size_t senderReportBytes = 52;
    for (std::size_t length = 0; length < datagram.size(); ++length) {
        const Bytes cut(datagram.begin(), datagram.begin() + static_cast<std::ptrdiff_t>(length));
        // Only a cut right after the sender report leaves a whole compound.
        EXPECT_EQ(RtcpCompound::Parse(cut).has_value(), length == senderReportBytes) << length;
    }
}

}  // namespace
