#include <gtest/gtest.h>

#include <vector>

#include "transport/rtp/RtcpScheduler.h"
#include "transport/rtp/RtpSource.h"

namespace {

constexpr double kRate8k = 8000;

RtpPacket PacketWithSequence(uint16_t sequence, uint32_t timestamp = 0) {
    RtpPacket packet;
    packet.ssrc = 77;
    packet.sequenceNumber = sequence;
    packet.timestamp = timestamp;
    packet.payload = {static_cast<uint8_t>(sequence)};
    return packet;
}

struct Drained {
    std::vector<uint16_t> sequences;
    std::vector<uint32_t> extended;
};

Drained DrainAll(RtpSource& source) {
    Drained drained;
    while (auto received = source.TakeNext()) {
        drained.sequences.push_back(received->packet.sequenceNumber);
        drained.extended.push_back(received->extendedSequence);
    }
    return drained;
}

TEST(SequenceTest, SourceHandsOutValidatedPacketsInSequenceOrder) {
    struct Case {
        const char* name;
        std::vector<uint16_t> arriving;
        std::vector<uint16_t> handedOut;
        int64_t cumulativeLost;
    };
    const std::vector<Case> cases = {
        {"in order", {10, 11, 12}, {10, 11, 12}, 0},
        {"wrap 65535 to 0", {65533, 65534, 65535, 0, 1}, {65533, 65534, 65535, 0, 1}, 0},
        {"wrap during probation", {65535, 0, 1}, {65535, 0, 1}, 0},
        {"probation starts over after a broken run", {5, 9, 10, 11}, {9, 10, 11}, 0},
        {"dropout is a gap, not an error", {1, 2, 5, 6}, {1, 2, 5, 6}, 2},
        {"misordered packets are sorted", {1, 2, 4, 3, 5}, {1, 2, 3, 4, 5}, 0},
        {"misordered across the wrap", {65534, 65535, 1, 0, 2}, {65534, 65535, 0, 1, 2}, 0},
        {"duplicates are dropped", {1, 2, 2, 3, 3}, {1, 2, 3}, -2},
        {"a single large jump is rejected", {1, 2, 3, 20000, 4}, {1, 2, 3, 4}, 0},
        {"a restart is accepted on its second packet",
         {1, 2, 3, 40000, 40001, 40002},
         {1, 2, 3, 40001, 40002},
         0},
    };
    for (const Case& c : cases) {
        RtpSource source(77);
        for (uint16_t sequence : c.arriving) source.OnRtp(PacketWithSequence(sequence), 0, kRate8k);
        const Drained drained = DrainAll(source);
        EXPECT_EQ(drained.sequences, c.handedOut) << c.name;
        for (std::size_t i = 1; i < drained.extended.size(); ++i) {
            EXPECT_LT(drained.extended[i - 1], drained.extended[i]) << c.name;
        }
        EXPECT_EQ(source.Sequence()->CumulativeLost(), c.cumulativeLost) << c.name;
    }
}

TEST(SequenceTest, ExtendedSequenceCountsCyclesAcrossTheWrap) {
    RtpSource source(77);
    for (uint16_t sequence : {65534, 65535, 0}) source.OnRtp(PacketWithSequence(sequence), 0, 8000);
    const Drained drained = DrainAll(source);
    ASSERT_EQ(drained.extended.size(), 3u);
    EXPECT_EQ(drained.extended[2] - drained.extended[0], 2u);
    EXPECT_EQ(drained.extended[2] & 0xffff, 0u);
    EXPECT_EQ(source.Sequence()->ExtendedHighest(), drained.extended[2]);
}

TEST(SequenceTest, FirstPacketIsHeldUntilProbationEnds) {
    RtpSource source(77);
    EXPECT_EQ(source.OnRtp(PacketWithSequence(100), 0, kRate8k).outcome, RtpSource::Outcome::kHeld);
    EXPECT_FALSE(source.HasData());
    EXPECT_EQ(source.OnRtp(PacketWithSequence(101), 0, kRate8k).outcome,
              RtpSource::Outcome::kQueued);
    EXPECT_EQ(DrainAll(source).sequences, (std::vector<uint16_t>{100, 101}));
}

TEST(SequenceTest, PacketBehindOneAlreadyHandedOutIsLate) {
    RtpSource source(77);
    for (uint16_t sequence : {1, 2, 4}) source.OnRtp(PacketWithSequence(sequence), 0, kRate8k);
    DrainAll(source);
    EXPECT_EQ(source.OnRtp(PacketWithSequence(3), 0, kRate8k).outcome, RtpSource::Outcome::kLate);
    EXPECT_FALSE(source.HasData());
}

TEST(SequenceTest, FloodingSourceStaysWithinItsQueueBound) {
    RtpSource source(77);
    const std::size_t sent = RtpSource::kMaxQueuedPackets + 100;
    std::size_t dropped = 0;
    for (std::size_t i = 0; i < sent; ++i) {
        dropped += source.OnRtp(PacketWithSequence(static_cast<uint16_t>(i)), 0, kRate8k).dropped;
    }
    EXPECT_EQ(source.QueuedPackets(), RtpSource::kMaxQueuedPackets);
    EXPECT_EQ(dropped, 100u);
    // The oldest made room: the newest is still there.
    EXPECT_EQ(DrainAll(source).sequences.back(), static_cast<uint16_t>(sent - 1));
}

TEST(SequenceTest, ReportBlockCarriesLossAndJitter) {
    RtpSource source(77);
    // 20 ms apart in time and 160 units apart in timestamp: no jitter, but
    // packet 5 arrives 10 ms (80 units) late.
    const std::vector<std::pair<uint16_t, int64_t>> arrivals = {
        {1, 0}, {2, 20000}, {5, 90000}, {6, 100000}};
    for (const auto& [sequence, micros] : arrivals) {
        source.OnRtp(PacketWithSequence(sequence, sequence * 160u), micros, kRate8k);
    }
    source.OnSenderReport(0x0000123456780000ull, 100000);
    const RtcpCompound::ReportBlock block = source.TakeReportBlock(100000 + 500000);
    EXPECT_EQ(block.ssrc, 77u);
    EXPECT_EQ(block.cumulativeLost, 2);
    EXPECT_EQ(block.fractionLost, 2 * 256 / 6);
    EXPECT_EQ(block.extendedHighestSequence & 0xffff, 6u);
    // 80/16 when packet 5 came late, then (80 - 5)/16 off that when packet
    // 6 was back on time.
    EXPECT_NEAR(source.JitterUnits(), 5 + (80 - 5) / 16.0, 0.01);
    EXPECT_EQ(block.lastSenderReport, 0x12345678u);
    EXPECT_EQ(block.delaySinceLastSenderReport, 32768u);
    // The next interval starts clean.
    EXPECT_EQ(source.TakeReportBlock(700000).fractionLost, 0);
}

TEST(RtcpSchedulerTest, IntervalFollowsTheRfcComputation) {
    RtcpScheduler::Config config;  // 10000 bytes/s, 5 %, 5 s minimum
    struct Case {
        const char* name;
        RtcpScheduler::Members members;
        double averageBytes;
        bool initial;
        double random01;
        double expectedSeconds;
    };
    const double compensation = 2.71828 - 1.5;
    const std::vector<Case> cases = {
        {"first report uses half the minimum", {1, 0, false}, 80, true, 0.5, 2.5 / compensation},
        {"small session is held at the minimum", {2, 1, true}, 100, false, 0.5, 5 / compensation},
        {"randomised between half and one and a half",
         {2, 1, true},
         100,
         false,
         0.0,
         2.5 / compensation},
        // 200 receivers share 75 % of 500 bytes/s.
        {"large session", {200, 0, false}, 100, false, 0.5, 100.0 * 200 / 375 / compensation},
        // One sender of 200 members gets 25 % of the RTCP bandwidth to itself.
        {"sender in a large session", {200, 1, true}, 100, false, 0.5, 5 / compensation},
    };
    for (const Case& c : cases) {
        EXPECT_NEAR(RtcpScheduler::IntervalSeconds(config, c.members, c.averageBytes, c.initial,
                                                   c.random01),
                    c.expectedSeconds, 1e-9)
            << c.name;
    }
}

TEST(RtcpSchedulerTest, SchedulesFromTheInjectedRandomSource) {
    RtcpScheduler scheduler({}, 1'000'000, [] { return 0.5; });
    EXPECT_FALSE(scheduler.IsDue(1'000'000));
    const auto expectedFirst = 1'000'000 + static_cast<int64_t>(2.5 / (2.71828 - 1.5) * 1e6);
    EXPECT_EQ(scheduler.NextReportMicros(), expectedFirst);
    EXPECT_TRUE(scheduler.IsDue(expectedFirst));
}

}  // namespace
