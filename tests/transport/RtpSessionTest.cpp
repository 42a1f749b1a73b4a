#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "LoopbackPorts.h"
#include "transport/rtp/RtcpCompound.h"
#include "transport/rtp/RtpSession.h"

namespace {

using Bytes = std::vector<uint8_t>;

RtpSessionParams QuickParams(uint16_t portBase) {
    RtpSessionParams params;
    params.portBase = portBase;
    // Reports every few hundred milliseconds instead of every 5 s.
    params.rtcpMinimumIntervalSeconds = 0.05;
    return params;
}

std::unique_ptr<RtpSession> CreateOrFail(const RtpSessionParams& params) {
    std::string error;
    auto session = RtpSession::Create(params, error);
    EXPECT_TRUE(session) << error;
    return session;
}

std::vector<ReceivedRtpPacket> TakeAll(RtpSession& session) {
    std::vector<ReceivedRtpPacket> taken;
    RtpSession::DataAccess access(session);
    for (uint32_t ssrc : session.SourcesWithData()) {
        while (auto received = session.TakeNextPacket(ssrc)) taken.push_back(std::move(*received));
    }
    return taken;
}

TEST(RtpSessionTest, TwoSessionsExchangePacketsAndReports) {
    const uint16_t portA = LoopbackPorts::FreePair();
    const uint16_t portB = LoopbackPorts::FreePair();
    auto a = CreateOrFail(QuickParams(portA));
    auto b = CreateOrFail(QuickParams(portB));
    std::string error;
    ASSERT_TRUE(a->AddDestination(LoopbackPorts::kLoopback, portB, error));
    ASSERT_TRUE(b->AddDestination(LoopbackPorts::kLoopback, portA, error));
    EXPECT_FALSE(a->AddDestination(LoopbackPorts::kLoopback, portB, error)) << "one destination";

    constexpr int kPackets = 50;
    for (int i = 0; i < kPackets; ++i) {
        const Bytes payload(100, static_cast<uint8_t>(i));
        ASSERT_TRUE(a->SendPacket(payload, 0, i % 5 == 4, 160));
    }
    std::vector<ReceivedRtpPacket> received;
    ASSERT_TRUE(LoopbackPorts::WaitUntil([&] {
        for (auto& packet : TakeAll(*b)) received.push_back(std::move(packet));
        return received.size() == kPackets;
    }));
    for (int i = 0; i < kPackets; ++i) {
        const RtpPacket& packet = received[static_cast<std::size_t>(i)].packet;
        EXPECT_EQ(packet.ssrc, a->Ssrc());
        EXPECT_EQ(packet.payload, Bytes(100, static_cast<uint8_t>(i)));
        EXPECT_EQ(packet.marker, i % 5 == 4);
        EXPECT_EQ(packet.timestamp - received[0].packet.timestamp, 160u * i);
        EXPECT_EQ(static_cast<uint16_t>(packet.sequenceNumber - received[0].packet.sequenceNumber),
                  i);
    }
    const auto report = b->GetSourceReport(a->Ssrc());
    ASSERT_TRUE(report);
    EXPECT_TRUE(report->valid);
    EXPECT_EQ(report->received, static_cast<uint32_t>(kPackets));
    EXPECT_EQ(report->cumulativeLost, 0);

    EXPECT_TRUE(LoopbackPorts::WaitUntil([&] {
        return a->GetCounters().rtcpPacketsReceived > 0 && b->GetCounters().rtcpPacketsReceived > 0;
    }));
    EXPECT_EQ(a->GetCounters().rtpPacketsSent, static_cast<uint64_t>(kPackets));
}

TEST(RtpSessionTest, DropsWhatItMustNotQueue) {
    const uint16_t portA = LoopbackPorts::FreePair();
    const uint16_t portB = LoopbackPorts::FreePair();
    auto a = CreateOrFail(QuickParams(portA));
    RtpSessionParams onlyFromElsewhere = QuickParams(portB);
    onlyFromElsewhere.acceptedSenderAddress = LoopbackPorts::kLoopback + 1;  // 127.0.0.2
    auto b = CreateOrFail(onlyFromElsewhere);
    std::string error;
    ASSERT_TRUE(a->AddDestination(LoopbackPorts::kLoopback, portB, error));
    for (int i = 0; i < 5; ++i) ASSERT_TRUE(a->SendPacket(Bytes(10, 1), 0, false, 160));
    ASSERT_TRUE(
        LoopbackPorts::WaitUntil([&] { return b->GetCounters().foreignAddressDropped >= 5; }));
    EXPECT_TRUE(TakeAll(*b).empty());
}

TEST(RtpSessionTest, OwnPacketsAreKeptOnlyWhenAsked) {
    for (const bool acceptOwn : {false, true}) {
        const uint16_t port = LoopbackPorts::FreePair();
        RtpSessionParams params = QuickParams(port);
        params.acceptOwnPackets = acceptOwn;
        auto session = CreateOrFail(params);
        std::string error;
        ASSERT_TRUE(session->AddDestination(LoopbackPorts::kLoopback, port, error));
        for (int i = 0; i < 3; ++i) ASSERT_TRUE(session->SendPacket(Bytes(4, 2), 0, false, 160));
        ASSERT_TRUE(LoopbackPorts::WaitUntil([&] {
            const auto counters = session->GetCounters();
            return counters.ownPacketsDropped + counters.rtpPacketsQueued == 3;
        }));
        EXPECT_EQ(TakeAll(*session).size(), acceptOwn ? 3u : 0u);
    }
}

TEST(RtpSessionTest, MalformedDatagramsAreCountedAndHarmless) {
    const uint16_t port = LoopbackPorts::FreePair();
    auto session = CreateOrFail(QuickParams(port));
    std::string error;
    auto raw = UdpSocket::Bind(0, 0, error);
    ASSERT_TRUE(raw);
    const std::vector<Bytes> garbage = {{},
                                        {0x80},
                                        {0x40, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1},
                                        {0x8f, 0, 0, 1, 0, 0, 0, 0, 0, 0, 0, 1}};
    for (const Bytes& datagram : garbage) {
        ASSERT_TRUE(raw->SendTo(LoopbackPorts::kLoopback, port, datagram));
        ASSERT_TRUE(raw->SendTo(LoopbackPorts::kLoopback, port + 1, datagram));
    }
    ASSERT_TRUE(LoopbackPorts::WaitUntil([&] {
        const auto counters = session->GetCounters();
        return counters.malformedRtp == garbage.size() && counters.malformedRtcp == garbage.size();
    }));
    EXPECT_TRUE(TakeAll(*session).empty());
}

TEST(RtpSessionTest, RefusesWhatItCannotSend) {
    const uint16_t port = LoopbackPorts::FreePair();
    RtpSessionParams params = QuickParams(port);
    params.maximumPacketBytes = 1400;
    auto session = CreateOrFail(params);
    EXPECT_FALSE(session->SendPacket(Bytes(10), 0, false, 160)) << "no destination yet";
    std::string error;
    ASSERT_TRUE(session->AddDestination(LoopbackPorts::kLoopback, port, error));
    EXPECT_TRUE(session->SendPacket(Bytes(1400 - 12), 0, false, 160));
    EXPECT_FALSE(session->SendPacket(Bytes(1400 - 11), 0, false, 160));
}

TEST(RtpSessionTest, PortInUseFailsWithText) {
    const uint16_t port = LoopbackPorts::FreePair();
    auto first = CreateOrFail(QuickParams(port));
    std::string error;
    EXPECT_FALSE(RtpSession::Create(QuickParams(port), error));
    EXPECT_FALSE(error.empty());
}

TEST(RtpSessionTest, DestroyFreesQueuedPacketsAndSendsNoGoodbye) {
    std::string error;
    const uint16_t listenPort = LoopbackPorts::FreePair();
    auto listenRtp = UdpSocket::Bind(listenPort, 0, error);
    auto listenRtcp = UdpSocket::Bind(listenPort + 1, 0, error);
    ASSERT_TRUE(listenRtp && listenRtcp);
    const uint16_t port = LoopbackPorts::FreePair();
    RtpSessionParams params = QuickParams(port);
    params.acceptOwnPackets = true;
    auto session = CreateOrFail(params);
    ASSERT_TRUE(session->AddDestination(LoopbackPorts::kLoopback, listenPort, error));
    // Queue some packets in the session itself through a second socket.
    auto raw = UdpSocket::Bind(0, 0, error);
    RtpPacket packet;
    packet.ssrc = 99;
    packet.payload = Bytes(500, 3);
    for (uint16_t i = 0; i < 20; ++i) {
        packet.sequenceNumber = i;
        ASSERT_TRUE(raw->SendTo(LoopbackPorts::kLoopback, port, packet.Build()));
    }
    ASSERT_TRUE(session->SendPacket(Bytes(10), 0, false, 160));
    ASSERT_TRUE(
        LoopbackPorts::WaitUntil([&] { return session->GetCounters().rtpPacketsQueued == 20; }));
    // Wait for at least one report so that we know what reports look like.
    ASSERT_TRUE(
        LoopbackPorts::WaitUntil([&] { return session->GetCounters().rtcpPacketsSent > 0; }));
    session.reset();

    Bytes buffer(2048);
    int reports = 0;
    while (auto datagram = listenRtcp->ReceiveFrom(buffer, 100)) {
        const auto compound = RtcpCompound::Parse({buffer.data(), datagram->bytes});
        ASSERT_TRUE(compound);
        EXPECT_TRUE(compound->goodbyeSsrcs.empty());
        ++reports;
    }
    EXPECT_GT(reports, 0);
}

}  // namespace
