#include "transport/rtp/RtcpScheduler.h"

#include <algorithm>
#include <utility>

namespace {

constexpr double kSenderBandwidthFraction = 0.25;
constexpr double kReceiverBandwidthFraction = 0.75;
// e - 3/2: corrects the randomised interval for timer reconsideration.
constexpr double kCompensation = 2.71828 - 1.5;
// A first compound is a receiver report with a CNAME plus UDP/IP headers.
constexpr double kFirstRtcpBytes = 80;

}  // namespace

RtcpScheduler::RtcpScheduler(const Config& config, int64_t startMicros,
                             std::function<double()> random01)
    : config_(config), random01_(std::move(random01)), averageRtcpBytes_(kFirstRtcpBytes) {
    const double first = IntervalSeconds(config_, Members{}, averageRtcpBytes_, true, random01_());
    nextReportMicros_ = startMicros + static_cast<int64_t>(first * 1e6);
}

double RtcpScheduler::IntervalSeconds(const Config& config, const Members& members,
                                      double averageRtcpBytes, bool initial, double random01) {
    double minimum = config.minimumIntervalSeconds;
    if (initial) minimum /= 2;
    double rtcpBandwidth = config.sessionBandwidthBytesPerSecond * config.rtcpFraction;
    int n = members.members;
    if (members.senders <= members.members * kSenderBandwidthFraction) {
        if (members.weSent) {
            rtcpBandwidth *= kSenderBandwidthFraction;
            n = members.senders;
        } else {
            rtcpBandwidth *= kReceiverBandwidthFraction;
            n -= members.senders;
        }
    }
    double interval = averageRtcpBytes * std::max(n, 1) / rtcpBandwidth;
    interval = std::max(interval, minimum);
    return interval * (random01 + 0.5) / kCompensation;
}

void RtcpScheduler::OnReportSent(int64_t nowMicros, std::size_t packetBytes,
                                 const Members& members) {
    OnReportReceived(packetBytes);
    const double interval =
        IntervalSeconds(config_, members, averageRtcpBytes_, false, random01_());
    nextReportMicros_ = nowMicros + static_cast<int64_t>(interval * 1e6);
}

void RtcpScheduler::OnReportReceived(std::size_t packetBytes) {
    averageRtcpBytes_ = static_cast<double>(packetBytes) / 16 + averageRtcpBytes_ * 15 / 16;
}
