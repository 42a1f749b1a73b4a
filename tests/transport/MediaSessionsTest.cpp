#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <atomic>
#include <chrono>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "LoopbackPorts.h"
#include "PatternFrame.h"
#include "transport/MediaSessions.h"
#include "transport/rtp/RtpPacket.h"
#include "transport/rtp/UdpSocket.h"

namespace {

using Bytes = std::vector<uint8_t>;

MediaPorts FreeMediaPorts() {
    return {LoopbackPorts::FreePair(), LoopbackPorts::FreePair(), LoopbackPorts::FreePair(),
            LoopbackPorts::FreePair()};
}

// The partner's receive port, read with a plain socket.
class PartnerPort {
public:
    explicit PartnerPort(uint16_t port) {
        std::string error;
        socket_.emplace(std::move(*UdpSocket::Bind(port, 1 << 20, error)));
    }

    std::vector<RtpPacket> Receive(std::size_t count) {
        std::vector<RtpPacket> packets;
        Bytes buffer(65536);
        while (packets.size() < count) {
            auto datagram = socket_->ReceiveFrom(buffer, 2000);
            if (!datagram) break;
            auto packet = RtpPacket::Parse({buffer.data(), datagram->bytes});
            EXPECT_TRUE(packet);
            if (packet) packets.push_back(std::move(*packet));
        }
        return packets;
    }

private:
    std::optional<UdpSocket> socket_;
};

class MediaSessionsTest : public ::testing::Test {
protected:
    MediaState state;
    MediaCounters counters;
    MediaPorts ports = FreeMediaPorts();
    MediaSessions sessions{state, counters, ports};
};

TEST_F(MediaSessionsTest, SendVideoFrameCutsFramesIntoPieces) {
    PartnerPort partner(ports.videoReceiveBase);
    sessions.SetPartnerAddress("127.0.0.1");
    ASSERT_TRUE(sessions.OpenVideoSend());
    ASSERT_TRUE(sessions.AddVideoDestination());
    state.sendGate = 1;

    struct Case {
        std::size_t length;
        bool idr;
        std::vector<std::size_t> pieceBytes;
    };
    const std::vector<Case> cases = {
        {0, false, {0}},
        {1, false, {1}},
        {1400, false, {1400}},
        {1401, false, {1400, 1}},
        {5000, true, {1400, 1400, 1400, 800}},
    };
    std::vector<RtpPacket> all;
    uint64_t expectedPackets = 0;
    for (const Case& c : cases) {
        const auto frame = MakeFrame(c.length, c.idr, 9);
        ASSERT_TRUE(sessions.SendVideoFrame(*frame));
        const std::vector<RtpPacket> packets = partner.Receive(c.pieceBytes.size());
        ASSERT_EQ(packets.size(), c.pieceBytes.size()) << c.length;
        std::size_t offset = 0;
        for (std::size_t i = 0; i < packets.size(); ++i) {
            EXPECT_EQ(packets[i].payload.size(), c.pieceBytes[i]) << c.length;
            EXPECT_TRUE(std::equal(packets[i].payload.begin(), packets[i].payload.end(),
                                   frame->data.begin() + static_cast<std::ptrdiff_t>(offset)));
            EXPECT_EQ(packets[i].marker, i + 1 == packets.size()) << c.length;
            EXPECT_EQ(packets[i].payloadType, c.idr ? 120 : 121) << c.length;
            offset += c.pieceBytes[i];
        }
        expectedPackets += packets.size();
        all.insert(all.end(), packets.begin(), packets.end());
    }
    // Every packet, inside a frame and across frames, is 3600 further on:
    // the 5000-byte frame runs t .. t + 10800 and the next would start at
    // t + 14400.
    for (std::size_t i = 1; i < all.size(); ++i) {
        EXPECT_EQ(all[i].timestamp - all[i - 1].timestamp, 3600u);
        EXPECT_EQ(static_cast<uint16_t>(all[i].sequenceNumber - all[i - 1].sequenceNumber), 1);
    }
    EXPECT_EQ(counters.videoPacketsSent, expectedPackets);

    ASSERT_TRUE(sessions.SendVideoFrame(*MakeFrame(1, false, 0)));
    const auto next = partner.Receive(1);
    ASSERT_EQ(next.size(), 1u);
    EXPECT_EQ(next[0].timestamp - all[all.size() - 4].timestamp, 14400u);
}

TEST_F(MediaSessionsTest, NothingIsSentWhileTheGateIsClosed) {
    PartnerPort partner(ports.videoReceiveBase);
    sessions.SetPartnerAddress("127.0.0.1");
    ASSERT_TRUE(sessions.OpenVideoSend());
    ASSERT_TRUE(sessions.AddVideoDestination());
    state.sendGate = 0;
    EXPECT_TRUE(sessions.SendVideoFrame(*MakeFrame(3000, true, 1)));
    EXPECT_EQ(counters.videoPacketsSent, 0u);
    state.sendGate = 1;
    sessions.CloseVideoSend();
    EXPECT_FALSE(sessions.SendVideoFrame(*MakeFrame(3000, true, 1))) << "no session";
}

TEST_F(MediaSessionsTest, SendAudioBlockSendsOnePacketPerBlock) {
    PartnerPort partner(ports.audioReceiveBase);
    sessions.SetPartnerAddress("127.0.0.1");
    ASSERT_TRUE(sessions.OpenAudioSend());
    ASSERT_TRUE(sessions.AddAudioDestination());
    std::array<uint8_t, 512> block{};
    for (int i = 0; i < 3; ++i) {
        block.fill(static_cast<uint8_t>(i));
        ASSERT_TRUE(sessions.SendAudioBlock(block));
    }
    const auto packets = partner.Receive(3);
    ASSERT_EQ(packets.size(), 3u);
    for (std::size_t i = 0; i < packets.size(); ++i) {
        EXPECT_EQ(packets[i].payloadType, 0);
        EXPECT_FALSE(packets[i].marker);
        EXPECT_EQ(packets[i].payload, Bytes(512, static_cast<uint8_t>(i)));
        if (i > 0) {
            EXPECT_EQ(packets[i].timestamp - packets[i - 1].timestamp, 160u);
        }
    }
    EXPECT_EQ(counters.audioBlocksSent, 3u);
}

TEST_F(MediaSessionsTest, AnAddressThatDoesNotParseOpensNoSendSession) {
    for (const char* text : {"", "not.an.address", "256.1.1.1", "10.0.0", "10.0.0.1 "}) {
        sessions.SetPartnerAddress(text);
        EXPECT_FALSE(sessions.OpenVideoSend()) << text;
        EXPECT_FALSE(sessions.IsVideoSendOpen()) << text;
        EXPECT_FALSE(sessions.OpenAudioSend()) << text;
        EXPECT_FALSE(sessions.AddAudioDestination()) << text;
    }
}

TEST_F(MediaSessionsTest, OpenTwiceKeepsTheSessionAndReopenMakesANewOne) {
    sessions.SetPartnerAddress("127.0.0.1");
    ASSERT_TRUE(sessions.OpenVideoReceive());
    EXPECT_FALSE(sessions.OpenVideoReceive());
    EXPECT_TRUE(sessions.IsVideoReceiveOpen());
    // A second terminal on the same ports cannot receive.
    MediaState otherState;
    MediaCounters otherCounters;
    MediaSessions other(otherState, otherCounters, ports);
    other.SetPartnerAddress("127.0.0.1");
    EXPECT_FALSE(other.OpenVideoReceive());
    // Off and on again, any number of times.
    for (int i = 0; i < 3; ++i) {
        EXPECT_TRUE(sessions.CloseVideoReceive());
        EXPECT_TRUE(sessions.CloseVideoReceive()) << "closing an absent session";
        EXPECT_TRUE(sessions.OpenVideoReceive());
    }
}

TEST_F(MediaSessionsTest, VideoRoundTripThroughTheReceiveLoop) {
    sessions.SetPartnerAddress("127.0.0.1");
    ASSERT_TRUE(sessions.OpenVideoReceive());
    std::mutex mutex;
    std::vector<Bytes> frames;
    ASSERT_TRUE(sessions.StartVideoReceiveLoop([&](const EncodedFrame& frame) {
        std::lock_guard lock(mutex);
        frames.emplace_back(frame.data.begin(),
                            frame.data.begin() + static_cast<std::ptrdiff_t>(frame.length));
    }));
    EXPECT_FALSE(sessions.StartVideoReceiveLoop([](const EncodedFrame&) {})) << "one loop";
    ASSERT_TRUE(sessions.OpenVideoSend());
    ASSERT_TRUE(sessions.AddVideoDestination());
    state.sendGate = 1;
    std::vector<std::unique_ptr<EncodedFrame>> sent;
    for (const auto& [length, idr] : std::vector<std::pair<std::size_t, bool>>{
             {20000, true}, {3000, false}, {1400, false}, {40000, true}}) {
        sent.push_back(MakeFrame(length, idr, static_cast<uint8_t>(sent.size())));
        ASSERT_TRUE(sessions.SendVideoFrame(*sent.back()));
    }
    ASSERT_TRUE(LoopbackPorts::WaitUntil([&] {
        std::lock_guard lock(mutex);
        return frames.size() == sent.size();
    }));
    sessions.CloseVideoReceive();
    for (std::size_t i = 0; i < sent.size(); ++i) {
        EXPECT_EQ(frames[i],
                  Bytes(sent[i]->data.begin(),
                        sent[i]->data.begin() + static_cast<std::ptrdiff_t>(sent[i]->length)));
    }
    EXPECT_EQ(counters.videoFramesReceived, sent.size());
    EXPECT_EQ(sessions.GetDropCounts().videoFramesSkipped, 0u);
    // The loop was joined on close, so a new one may start.
    EXPECT_TRUE(sessions.StartVideoReceiveLoop([](const EncodedFrame&) {}));
}

// Sends hand-made RTP packets from 127.0.0.1 to a receive port.
class RawSender {
public:
    explicit RawSender(uint16_t port) : port_(port) {
        std::string error;
        socket_.emplace(std::move(*UdpSocket::Bind(0, 0, error)));
    }

    void Send(uint16_t sequence, uint8_t payloadType, bool marker, Bytes payload) {
        RtpPacket packet;
        packet.ssrc = 0x1234;
        packet.sequenceNumber = sequence;
        packet.payloadType = payloadType;
        packet.marker = marker;
        packet.payload = std::move(payload);
        ASSERT_TRUE(socket_->SendTo(LoopbackPorts::kLoopback, port_, packet.Build()));
    }

private:
    uint16_t port_;
    std::optional<UdpSocket> socket_;
};

TEST_F(MediaSessionsTest, ReorderedPiecesAndFramesQueuedBackToBack) {
    sessions.SetPartnerAddress("127.0.0.1");
    ASSERT_TRUE(sessions.OpenVideoReceive());
    RawSender sender(ports.videoReceiveBase);
    // Frame A: pieces 1, 2. Frame B: pieces 3, 4, 5, with 4 arriving first.
    sender.Send(1, 120, false, Bytes(1400, 'a'));
    sender.Send(2, 120, true, Bytes(10, 'b'));
    sender.Send(4, 121, false, Bytes(1400, 'd'));
    sender.Send(3, 121, false, Bytes(1400, 'c'));
    sender.Send(5, 121, true, Bytes(7, 'e'));
    // Let the poll thread queue everything before the loop reads.
    std::this_thread::sleep_for(std::chrono::milliseconds(200));

    std::mutex mutex;
    std::vector<Bytes> frames;
    ASSERT_TRUE(sessions.StartVideoReceiveLoop([&](const EncodedFrame& frame) {
        std::lock_guard lock(mutex);
        frames.emplace_back(frame.data.begin(),
                            frame.data.begin() + static_cast<std::ptrdiff_t>(frame.length));
    }));
    ASSERT_TRUE(LoopbackPorts::WaitUntil([&] {
        std::lock_guard lock(mutex);
        return frames.size() == 2;
    }));
    sessions.StopVideoReceiveLoop();
    Bytes frameA(1400, 'a');
    frameA.insert(frameA.end(), 10, 'b');
    Bytes frameB(1400, 'c');
    frameB.insert(frameB.end(), 1400, 'd');
    frameB.insert(frameB.end(), 7, 'e');
    EXPECT_EQ(frames[0], frameA);
    EXPECT_EQ(frames[1], frameB);
}

TEST_F(MediaSessionsTest, AudioLoopHandsOnWholeBlocksOnly) {
    sessions.SetPartnerAddress("127.0.0.1");
    ASSERT_TRUE(sessions.OpenAudioReceive());
    std::mutex mutex;
    std::vector<Bytes> blocks;
    ASSERT_TRUE(sessions.StartAudioReceiveLoop([&](std::span<const uint8_t, 512> block) {
        std::lock_guard lock(mutex);
        blocks.emplace_back(block.begin(), block.end());
    }));
    RawSender sender(ports.audioReceiveBase);
    sender.Send(1, 0, false, Bytes(512, 1));
    sender.Send(2, 0, false, Bytes(100, 2));
    sender.Send(3, 0, false, Bytes(513, 3));
    sender.Send(4, 0, false, Bytes(512, 4));
    ASSERT_TRUE(LoopbackPorts::WaitUntil(
        [&] { return sessions.GetDropCounts().audioPayloadsDropped == 2; }));
    ASSERT_TRUE(LoopbackPorts::WaitUntil([&] {
        std::lock_guard lock(mutex);
        return blocks.size() == 2;
    }));
    sessions.CloseAudioReceive();
    EXPECT_EQ(blocks[0], Bytes(512, 1));
    EXPECT_EQ(blocks[1], Bytes(512, 4));
    EXPECT_EQ(counters.audioPacketsReceived, 2u);
}

TEST_F(MediaSessionsTest, MediaFromAnotherAddressAreDropped) {
    sessions.SetPartnerAddress("127.0.0.2");
    ASSERT_TRUE(sessions.OpenAudioReceive());
    RawSender sender(ports.audioReceiveBase);
    for (uint16_t i = 0; i < 4; ++i) sender.Send(i, 0, false, Bytes(512, 1));
    EXPECT_TRUE(LoopbackPorts::WaitUntil(
        [&] { return sessions.GetDropCounts().foreignDatagramsDropped == 4; }));
}

TEST_F(MediaSessionsTest, LoopsEndOnTheirStopFlags) {
    sessions.SetPartnerAddress("127.0.0.1");
    // Started with the stream's stop flag set, the loop returns at once.
    state.videoReceiveStop = 1;
    std::atomic<bool> stop{false};
    sessions.RunVideoReceiveLoop(stop, [](const EncodedFrame&) {});
    state.audioReceiveStop = 1;
    sessions.RunAudioReceiveLoop(stop, [](std::span<const uint8_t, 512>) {});
    // A running loop without a session only waits, and stops when told.
    state.audioReceiveStop = 0;
    ASSERT_TRUE(sessions.StartAudioReceiveLoop([](std::span<const uint8_t, 512>) {}));
    sessions.StopAudioReceiveLoop();
    EXPECT_TRUE(sessions.StartAudioReceiveLoop([](std::span<const uint8_t, 512>) {}));
}

}  // namespace
