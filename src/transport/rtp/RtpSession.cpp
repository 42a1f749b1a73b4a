#include "transport/rtp/RtpSession.h"

#include <algorithm>
#include <random>
#include <utility>

#include "transport/rtp/SystemRtpClock.h"

namespace {

// Upper bound on one wait, so that destroy never waits long for the thread.
constexpr int kPollWaitMs = 10;
// Datagrams read per socket and wake-up, so that RTCP is not starved.
constexpr int kMaxDatagramsPerWake = 256;
constexpr std::size_t kUdpIpHeaderBytes = 28;
constexpr std::size_t kMaxDatagramBytes = 65536;

std::function<uint32_t()> SeededGenerator() {
    auto engine = std::make_shared<std::mt19937>(std::random_device{}());
    return [engine] { return static_cast<uint32_t>((*engine)()); };
}

RtcpScheduler::Config SchedulerConfig(const RtpSessionParams& params) {
    RtcpScheduler::Config config;
    config.sessionBandwidthBytesPerSecond = params.sessionBandwidthBytesPerSecond;
    config.minimumIntervalSeconds = params.rtcpMinimumIntervalSeconds;
    return config;
}

}  // namespace

std::unique_ptr<RtpSession> RtpSession::Create(const RtpSessionParams& params, std::string& error) {
    if (params.portBase == 0 || params.portBase == 0xffff) {
        error = "port base must leave room for RTCP on the next port";
        return nullptr;
    }
    std::optional<UdpSocket> rtp =
        UdpSocket::Bind(params.portBase, params.rtpReceiveBufferBytes, error);
    if (!rtp) return nullptr;
    std::optional<UdpSocket> rtcp = UdpSocket::Bind(static_cast<uint16_t>(params.portBase + 1),
                                                    params.rtcpReceiveBufferBytes, error);
    if (!rtcp) return nullptr;
    return std::unique_ptr<RtpSession>(new RtpSession(params, std::move(*rtp), std::move(*rtcp)));
}

RtpSession::RtpSession(const RtpSessionParams& params, UdpSocket rtp, UdpSocket rtcp)
    : params_(params),
      clock_(params.clock ? *params.clock : SystemRtpClock::Instance()),
      random_(params.random ? params.random : SeededGenerator()),
      rtpSocket_(std::move(rtp)),
      rtcpSocket_(std::move(rtcp)),
      ssrc_(random_()),
      scheduler_(SchedulerConfig(params), clock_.MonotonicMicros(),
                 [this] { return RandomUnit(); }),
      receiveBuffer_(kMaxDatagramBytes) {
    send_.sequence = static_cast<uint16_t>(random_());
    send_.timestamp = random_();
    send_.lastTimestampSent = send_.timestamp;
    send_.lastSendMicros = clock_.MonotonicMicros();
    pollThread_ = std::thread([this] { PollLoop(); });
}

RtpSession::~RtpSession() {
    stop_ = true;
    pollThread_.join();
}

double RtpSession::RandomUnit() { return random_() / 4294967296.0; }

bool RtpSession::AddDestination(uint32_t address, uint16_t rtpPort, std::string& error) {
    std::lock_guard lock(sendMutex_);
    if (destination_) {
        error = "the session already has its destination";
        return false;
    }
    if (rtpPort == 0 || rtpPort == 0xffff) {
        error = "destination port must leave room for RTCP on the next port";
        return false;
    }
    destination_ = Destination{address, rtpPort};
    return true;
}

bool RtpSession::SendPacket(std::span<const uint8_t> payload, uint8_t payloadType, bool marker,
                            uint32_t timestampIncrement) {
    std::lock_guard lock(sendMutex_);
    if (!destination_) return false;
    RtpPacket packet;
    packet.payloadType = payloadType;
    packet.marker = marker;
    packet.ssrc = ssrc_;
    packet.payload.assign(payload.begin(), payload.end());
    if (packet.BuiltBytes() > params_.maximumPacketBytes || payloadType > 127) return false;
    packet.sequenceNumber = send_.sequence++;
    packet.timestamp = send_.timestamp;
    send_.timestamp += timestampIncrement;
    // A packet that failed still used its sequence number, so the receiver
    // sees the gap instead of joining a cut-off frame to the next one.
    if (!rtpSocket_.SendTo(destination_->address, destination_->rtpPort, packet.Build())) {
        return false;
    }
    send_.lastTimestampSent = packet.timestamp;
    send_.lastSendMicros = clock_.MonotonicMicros();
    ++send_.packetsSent;
    send_.octetsSent += static_cast<uint32_t>(payload.size());
    send_.sentSinceReport = true;
    return true;
}

std::vector<uint32_t> RtpSession::SourcesWithData() const {
    std::vector<uint32_t> ssrcs;
    for (const auto& [ssrc, source] : sources_) {
        if (source.HasData()) ssrcs.push_back(ssrc);
    }
    return ssrcs;
}

std::optional<ReceivedRtpPacket> RtpSession::TakeNextPacket(uint32_t ssrc) {
    const auto found = sources_.find(ssrc);
    if (found == sources_.end()) return std::nullopt;
    return found->second.TakeNext();
}

RtpSession::Counters RtpSession::GetCounters() const {
    Counters counters;
    {
        std::lock_guard lock(dataMutex_);
        counters = counters_;
    }
    std::lock_guard lock(sendMutex_);
    counters.rtpPacketsSent = send_.packetsSent;
    return counters;
}

std::optional<RtpSession::SourceReport> RtpSession::GetSourceReport(uint32_t ssrc) const {
    std::lock_guard lock(dataMutex_);
    const auto found = sources_.find(ssrc);
    if (found == sources_.end() || !found->second.Sequence()) return std::nullopt;
    const SequenceValidator& sequence = *found->second.Sequence();
    SourceReport report;
    report.valid = sequence.IsValid();
    report.extendedHighestSequence = sequence.ExtendedHighest();
    report.cumulativeLost = sequence.CumulativeLost();
    report.received = sequence.Received();
    report.jitterUnits = found->second.JitterUnits();
    return report;
}

void RtpSession::PollLoop() {
    while (!stop_) {
        const int64_t untilReportMicros = scheduler_.NextReportMicros() - clock_.MonotonicMicros();
        const int waitMs =
            static_cast<int>(std::clamp<int64_t>(untilReportMicros / 1000, 0, kPollWaitMs));
        bool rtpReadable = false;
        bool rtcpReadable = false;
        UdpSocket::WaitReadable(rtpSocket_, rtcpSocket_, waitMs, rtpReadable, rtcpReadable);
        if (rtpReadable) DrainRtp();
        if (rtcpReadable) DrainRtcp();
        const int64_t now = clock_.MonotonicMicros();
        if (scheduler_.IsDue(now)) SendReport(now);
    }
}

void RtpSession::DrainRtp() {
    for (int i = 0; i < kMaxDatagramsPerWake; ++i) {
        const auto datagram = rtpSocket_.ReceiveFrom(receiveBuffer_);
        if (!datagram) return;
        if (datagram->truncated) continue;
        HandleRtp({receiveBuffer_.data(), datagram->bytes}, datagram->address,
                  clock_.MonotonicMicros());
    }
}

void RtpSession::DrainRtcp() {
    for (int i = 0; i < kMaxDatagramsPerWake; ++i) {
        const auto datagram = rtcpSocket_.ReceiveFrom(receiveBuffer_);
        if (!datagram) return;
        if (datagram->truncated) continue;
        HandleRtcp({receiveBuffer_.data(), datagram->bytes}, datagram->address,
                   clock_.MonotonicMicros());
    }
}

void RtpSession::HandleRtp(std::span<const uint8_t> datagram, uint32_t fromAddress,
                           int64_t nowMicros) {
    std::optional<RtpPacket> packet;
    const bool foreign =
        params_.acceptedSenderAddress && fromAddress != *params_.acceptedSenderAddress;
    if (!foreign) packet = RtpPacket::Parse(datagram);

    std::lock_guard lock(dataMutex_);
    if (foreign) {
        ++counters_.foreignAddressDropped;
        return;
    }
    if (!packet) {
        ++counters_.malformedRtp;
        return;
    }
    if (packet->ssrc == ssrc_ && !params_.acceptOwnPackets) {
        ++counters_.ownPacketsDropped;
        return;
    }
    RtpSource* source = FindOrAddSource(packet->ssrc, nowMicros);
    if (!source) return;
    const RtpSource::Arrival arrival =
        source->OnRtp(std::move(*packet), nowMicros, 1.0 / params_.timestampUnitSeconds);
    counters_.queueDropped += arrival.dropped;
    switch (arrival.outcome) {
        case RtpSource::Outcome::kQueued:
        case RtpSource::Outcome::kHeld:
            ++counters_.rtpPacketsQueued;
            break;
        case RtpSource::Outcome::kDuplicate:
            ++counters_.duplicatesDropped;
            break;
        case RtpSource::Outcome::kLate:
            ++counters_.lateDropped;
            break;
        case RtpSource::Outcome::kRejected:
            ++counters_.rejectedBySequence;
            break;
    }
}

void RtpSession::HandleRtcp(std::span<const uint8_t> datagram, uint32_t fromAddress,
                            int64_t nowMicros) {
    std::optional<RtcpCompound> compound;
    const bool foreign =
        params_.acceptedSenderAddress && fromAddress != *params_.acceptedSenderAddress;
    if (!foreign) compound = RtcpCompound::Parse(datagram);
    if (compound) scheduler_.OnReportReceived(datagram.size() + kUdpIpHeaderBytes);

    std::lock_guard lock(dataMutex_);
    if (foreign) {
        ++counters_.foreignAddressDropped;
        return;
    }
    if (!compound) {
        ++counters_.malformedRtcp;
        return;
    }
    ++counters_.rtcpPacketsReceived;
    if (compound->senderSsrc == ssrc_) return;
    RtpSource* source = FindOrAddSource(compound->senderSsrc, nowMicros);
    if (!source) return;
    source->NoteHeard(nowMicros);
    if (compound->senderInfo) source->OnSenderReport(compound->senderInfo->ntpTimestamp, nowMicros);
}

RtpSource* RtpSession::FindOrAddSource(uint32_t ssrc, int64_t nowMicros) {
    const auto found = sources_.find(ssrc);
    if (found != sources_.end()) return &found->second;
    if (sources_.size() >= kMaxSources) {
        // Make room by forgetting the idlest source that has nothing queued.
        auto idlest = sources_.end();
        for (auto it = sources_.begin(); it != sources_.end(); ++it) {
            if (it->second.HasData()) continue;
            if (idlest == sources_.end() ||
                it->second.LastHeardMicros() < idlest->second.LastHeardMicros()) {
                idlest = it;
            }
        }
        if (idlest == sources_.end()) {
            ++counters_.sourcesRefused;
            return nullptr;
        }
        sources_.erase(idlest);
    }
    RtpSource& added = sources_.emplace(ssrc, RtpSource(ssrc)).first->second;
    added.NoteHeard(nowMicros);
    return &added;
}

void RtpSession::SendReport(int64_t nowMicros) {
    RtcpCompound compound;
    compound.senderSsrc = ssrc_;
    compound.cname = params_.cname;
    RtcpScheduler::Members members;
    members.weSent = AddSenderInfo(compound, nowMicros);
    const RtcpScheduler::Members heard = AddReportBlocks(compound, nowMicros);
    members.members = heard.members;
    members.senders = heard.senders + (members.weSent ? 1 : 0);

    const std::vector<uint8_t> datagram = compound.Build();
    std::optional<Destination> destination;
    {
        std::lock_guard lock(sendMutex_);
        destination = destination_;
    }
    if (destination &&
        rtcpSocket_.SendTo(destination->address, static_cast<uint16_t>(destination->rtpPort + 1),
                           datagram)) {
        std::lock_guard lock(dataMutex_);
        ++counters_.rtcpPacketsSent;
    }
    scheduler_.OnReportSent(nowMicros, datagram.size() + kUdpIpHeaderBytes, members);
}

bool RtpSession::AddSenderInfo(RtcpCompound& compound, int64_t nowMicros) {
    std::lock_guard lock(sendMutex_);
    // We count as a sender while we sent in this or the previous interval.
    const bool weSent = send_.sentSinceReport || send_.sentBeforeLastReport;
    send_.sentBeforeLastReport = send_.sentSinceReport;
    send_.sentSinceReport = false;
    if (!weSent) return false;
    RtcpCompound::SenderInfo info;
    info.ntpTimestamp = clock_.NtpTimestamp();
    // The RTP time that corresponds to the NTP time above.
    const double elapsedUnits =
        static_cast<double>(nowMicros - send_.lastSendMicros) / 1e6 / params_.timestampUnitSeconds;
    info.rtpTimestamp = send_.lastTimestampSent + static_cast<uint32_t>(elapsedUnits);
    info.packetCount = send_.packetsSent;
    info.octetCount = send_.octetsSent;
    compound.senderInfo = info;
    return true;
}

RtcpScheduler::Members RtpSession::AddReportBlocks(RtcpCompound& compound, int64_t nowMicros) {
    std::lock_guard lock(dataMutex_);
    ForgetSilentSources(nowMicros);
    RtcpScheduler::Members heard;
    heard.members = static_cast<int>(sources_.size()) + 1;
    for (auto& [ssrc, source] : sources_) {
        if (!source.SentRtpSinceReport()) continue;
        ++heard.senders;
        // Taking the block starts the source's next interval even when it
        // does not fit or the source is still on probation.
        const RtcpCompound::ReportBlock block = source.TakeReportBlock(nowMicros);
        if (source.IsValid() && compound.reportBlocks.size() < RtcpCompound::kMaxReportBlocks) {
            compound.reportBlocks.push_back(block);
        }
    }
    return heard;
}

void RtpSession::ForgetSilentSources(int64_t nowMicros) {
    std::erase_if(sources_, [nowMicros](const auto& entry) {
        const RtpSource& source = entry.second;
        return !source.HasData() && nowMicros - source.LastHeardMicros() > kSourceTimeoutMicros;
    });
}
