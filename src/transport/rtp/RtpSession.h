#pragma once

#include <atomic>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <span>
#include <string>
#include <thread>
#include <vector>

#include "transport/rtp/ReceivedRtpPacket.h"
#include "transport/rtp/RtcpScheduler.h"
#include "transport/rtp/RtpSessionParams.h"
#include "transport/rtp/RtpSource.h"
#include "transport/rtp/UdpSocket.h"

class RtpClock;

// One RTP session (RFC 3550) on a UDP socket pair, with a poll thread that
// receives RTP and RTCP and sends the periodic reports. Readers bracket
// their reads with BeginDataAccess/EndDataAccess (or a DataAccess guard),
// which holds the lock the poll thread takes to queue packets. Destroying
// the session stops the poll thread and frees every queued packet; no BYE
// is sent.
class RtpSession {
public:
    // Sources kept at once; a new one beyond this replaces the idlest.
    static constexpr std::size_t kMaxSources = 64;
    static constexpr int64_t kSourceTimeoutMicros = 30'000'000;

    struct Counters {
        uint64_t rtpPacketsSent = 0;
        uint64_t rtcpPacketsSent = 0;
        uint64_t rtpPacketsQueued = 0;
        uint64_t rtcpPacketsReceived = 0;
        uint64_t malformedRtp = 0;
        uint64_t malformedRtcp = 0;
        uint64_t foreignAddressDropped = 0;
        uint64_t ownPacketsDropped = 0;
        uint64_t duplicatesDropped = 0;
        uint64_t lateDropped = 0;
        uint64_t rejectedBySequence = 0;
        uint64_t queueDropped = 0;
        uint64_t sourcesRefused = 0;
    };

    struct SourceReport {
        bool valid = false;
        uint32_t extendedHighestSequence = 0;
        int64_t cumulativeLost = 0;
        uint32_t received = 0;
        double jitterUnits = 0;
    };

    class DataAccess {
    public:
        explicit DataAccess(RtpSession& session) : session_(session) { session_.BeginDataAccess(); }
        ~DataAccess() { session_.EndDataAccess(); }
        DataAccess(const DataAccess&) = delete;
        DataAccess& operator=(const DataAccess&) = delete;

    private:
        RtpSession& session_;
    };

    static std::unique_ptr<RtpSession> Create(const RtpSessionParams& params, std::string& error);
    ~RtpSession();
    RtpSession(const RtpSession&) = delete;
    RtpSession& operator=(const RtpSession&) = delete;

    // The one destination: RTP to rtpPort, RTCP to rtpPort + 1.
    bool AddDestination(uint32_t address, uint16_t rtpPort, std::string& error);
    // Sends with the current timestamp, then advances it by the increment.
    bool SendPacket(std::span<const uint8_t> payload, uint8_t payloadType, bool marker,
                    uint32_t timestampIncrement);

    void BeginDataAccess() { dataMutex_.lock(); }
    void EndDataAccess() { dataMutex_.unlock(); }
    // Only between BeginDataAccess and EndDataAccess.
    std::vector<uint32_t> SourcesWithData() const;
    std::optional<ReceivedRtpPacket> TakeNextPacket(uint32_t ssrc);

    uint32_t Ssrc() const { return ssrc_; }
    uint16_t RtpPort() const { return rtpSocket_.LocalPort(); }
    Counters GetCounters() const;
    std::optional<SourceReport> GetSourceReport(uint32_t ssrc) const;

private:
    struct Destination {
        uint32_t address;
        uint16_t rtpPort;
    };

    struct SendState {
        uint16_t sequence = 0;
        uint32_t timestamp = 0;
        uint32_t packetsSent = 0;
        uint32_t octetsSent = 0;
        uint32_t lastTimestampSent = 0;
        int64_t lastSendMicros = 0;
        bool sentSinceReport = false;
        bool sentBeforeLastReport = false;
    };

    RtpSession(const RtpSessionParams& params, UdpSocket rtp, UdpSocket rtcp);

    void PollLoop();
    void DrainRtp();
    void DrainRtcp();
    void HandleRtp(std::span<const uint8_t> datagram, uint32_t fromAddress, int64_t nowMicros);
    void HandleRtcp(std::span<const uint8_t> datagram, uint32_t fromAddress, int64_t nowMicros);
    RtpSource* FindOrAddSource(uint32_t ssrc, int64_t nowMicros);
    void SendReport(int64_t nowMicros);
    bool AddSenderInfo(RtcpCompound& compound, int64_t nowMicros);
    RtcpScheduler::Members AddReportBlocks(RtcpCompound& compound, int64_t nowMicros);
    void ForgetSilentSources(int64_t nowMicros);
    double RandomUnit();

    RtpSessionParams params_;
    const RtpClock& clock_;
    std::function<uint32_t()> random_;
    UdpSocket rtpSocket_;
    UdpSocket rtcpSocket_;
    uint32_t ssrc_;

    mutable std::mutex sendMutex_;
    std::optional<Destination> destination_;
    SendState send_;

    mutable std::mutex dataMutex_;
    std::map<uint32_t, RtpSource> sources_;
    Counters counters_;

    // Used by the poll thread only.
    RtcpScheduler scheduler_;
    std::vector<uint8_t> receiveBuffer_;

    std::atomic<bool> stop_{false};
    std::thread pollThread_;
};
