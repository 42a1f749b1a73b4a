#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

// When the next RTCP compound is due: the interval computation of RFC 3550
// Appendix A.7 with the running average RTCP size of section 6.3.3. The
// random source is injected so that tests can pin the interval.
class RtcpScheduler {
public:
    struct Config {
        double sessionBandwidthBytesPerSecond = 10000;
        // Share of the session bandwidth that RTCP may use.
        double rtcpFraction = 0.05;
        double minimumIntervalSeconds = 5;
    };

    struct Members {
        int members = 1;
        int senders = 0;
        bool weSent = false;
    };

    // random01 returns values in [0, 1).
    RtcpScheduler(const Config& config, int64_t startMicros, std::function<double()> random01);

    static double IntervalSeconds(const Config& config, const Members& members,
                                  double averageRtcpBytes, bool initial, double random01);

    bool IsDue(int64_t nowMicros) const { return nowMicros >= nextReportMicros_; }
    int64_t NextReportMicros() const { return nextReportMicros_; }

    // packetBytes includes the UDP and IP headers.
    void OnReportSent(int64_t nowMicros, std::size_t packetBytes, const Members& members);
    void OnReportReceived(std::size_t packetBytes);
    double AverageRtcpBytes() const { return averageRtcpBytes_; }

private:
    Config config_;
    std::function<double()> random01_;
    double averageRtcpBytes_;
    int64_t nextReportMicros_;
};
