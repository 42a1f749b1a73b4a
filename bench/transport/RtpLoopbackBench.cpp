// RTP throughput on loopback and the cost of one 1400-byte packet.
#include <benchmark/benchmark.h>

#include <memory>
#include <string>
#include <vector>

#include "transport/rtp/RtpPacket.h"
#include "transport/rtp/RtpSession.h"

namespace {

constexpr std::size_t kPieceBytes = 1400;
constexpr uint32_t kLoopback = 0x7f000001;

std::unique_ptr<RtpSession> OpenSession(uint16_t port) {
    RtpSessionParams params;
    params.portBase = port;
    params.timestampUnitSeconds = 1.0 / 90000;
    params.maximumPacketBytes = 65535;
    params.rtpReceiveBufferBytes = 1 << 20;
    std::string error;
    return RtpSession::Create(params, error);
}

std::size_t TakeAll(RtpSession& session) {
    std::size_t taken = 0;
    RtpSession::DataAccess access(session);
    for (uint32_t ssrc : session.SourcesWithData()) {
        while (session.TakeNextPacket(ssrc)) ++taken;
    }
    return taken;
}

// Build, send, receive on the poll thread, parse and queue, hand out: the
// whole path of one video piece, in bursts of 32. CPU time counts every
// thread of the process, so it includes the poll thread.
void BM_LoopbackBuildSendReceiveParse(benchmark::State& state) {
    std::unique_ptr<RtpSession> sender;
    std::unique_ptr<RtpSession> receiver;
    uint16_t receiverPort = 0;
    // Any two free port pairs will do.
    for (uint16_t base = 41000; base < 42000 && !(sender && receiver); base += 20) {
        sender = OpenSession(base);
        receiverPort = static_cast<uint16_t>(base + 10);
        receiver = OpenSession(receiverPort);
    }
    if (!sender || !receiver) {
        state.SkipWithError("no free ports between 41000 and 42000");
        return;
    }
    std::string error;
    sender->AddDestination(kLoopback, receiverPort, error);
    const std::vector<uint8_t> piece(kPieceBytes, 0x5a);
    constexpr int kBurst = 32;
    std::size_t received = 0;
    std::size_t sent = 0;
    for (auto _ : state) {
        for (int i = 0; i < kBurst; ++i) {
            if (sender->SendPacket(piece, 121, i == kBurst - 1, 3600)) ++sent;
        }
        while (received < sent) received += TakeAll(*receiver);
    }
    state.SetItemsProcessed(static_cast<int64_t>(received));
    state.SetBytesProcessed(static_cast<int64_t>(received * kPieceBytes));
}
BENCHMARK(BM_LoopbackBuildSendReceiveParse)->MeasureProcessCPUTime()->UseRealTime();

// Build and parse alone, without sockets.
void BM_BuildAndParse1400(benchmark::State& state) {
    RtpPacket packet;
    packet.payloadType = 121;
    packet.ssrc = 0x12345678;
    packet.payload.assign(kPieceBytes, 0x5a);
    for (auto _ : state) {
        ++packet.sequenceNumber;
        const std::vector<uint8_t> datagram = packet.Build();
        auto parsed = RtpPacket::Parse(datagram);
        benchmark::DoNotOptimize(parsed);
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_BuildAndParse1400);

}  // namespace

BENCHMARK_MAIN();
