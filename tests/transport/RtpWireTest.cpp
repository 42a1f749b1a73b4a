#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "LoopbackPorts.h"
#include "PcapWriter.h"
#include "transport/rtp/RtcpCompound.h"
#include "transport/rtp/RtpSession.h"

namespace {

using Bytes = std::vector<uint8_t>;

// The ports the terminal uses, written into the capture so that tshark is
// told about them exactly as a user would.
constexpr uint16_t kWireSendPort = 3500;
constexpr uint16_t kWireReceivePort = 10000;

bool HaveTshark() { return std::system("command -v tshark >/dev/null 2>&1") == 0; }

std::string RunTshark(const std::string& pcap, const std::string& options) {
    const std::string command = "tshark -r " + pcap +
                                " -d udp.port==10000,rtp -d udp.port==10001,rtcp " + options +
                                " 2>/dev/null";
    std::string output;
    std::unique_ptr<FILE, int (*)(FILE*)> pipe(popen(command.c_str(), "r"), pclose);
    std::array<char, 4096> buffer{};
    while (pipe && fgets(buffer.data(), buffer.size(), pipe.get())) output += buffer.data();
    return output;
}

// One line per frame: the fields tshark found, tab-separated.
std::vector<std::vector<std::string>> DissectedFields(const std::string& pcap) {
    const std::string text = RunTshark(
        pcap, "-T fields -e rtp.p_type -e rtp.marker -e rtcp.pt -e rtcp.rc -e rtcp.sdes.text");
    std::vector<std::vector<std::string>> rows;
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);) {
        std::vector<std::string> fields;
        std::istringstream cells(line);
        for (std::string cell; std::getline(cells, cell, '\t');) fields.push_back(cell);
        fields.resize(5);
        rows.push_back(fields);
    }
    return rows;
}

// A sender and a receiver with a relay between them that records every
// datagram: RTP and sender reports one way, receiver reports the other.
class WireCapture {
public:
    WireCapture() {
        relayToReceiverPort_ = LoopbackPorts::FreePair();
        relayToSenderPort_ = LoopbackPorts::FreePair();
        std::string error;
        fromSenderRtp_ = UdpSocket::Bind(relayToReceiverPort_, 0, error);
        fromSenderRtcp_ = UdpSocket::Bind(relayToReceiverPort_ + 1, 0, error);
        fromReceiverRtcp_ = UdpSocket::Bind(relayToSenderPort_ + 1, 0, error);
        receiverPort_ = LoopbackPorts::FreePair();
        sender_ = Create(LoopbackPorts::FreePair(), 1.0 / 90000);
        receiver_ = Create(receiverPort_, 1.0 / 90000);
        sender_->AddDestination(LoopbackPorts::kLoopback, relayToReceiverPort_, error);
        receiver_->AddDestination(LoopbackPorts::kLoopback, relayToSenderPort_, error);
    }

    RtpSession& Sender() { return *sender_; }

    // Records and forwards until both kinds of report were seen.
    bool Relay(PcapWriter& pcap, std::size_t rtpExpected) {
        Bytes buffer(65536);
        std::size_t rtpSeen = 0;
        bool senderReportSeen = false;
        bool receiverReportSeen = false;
        return LoopbackPorts::WaitUntil(
            [&] {
                while (auto d = fromSenderRtp_->ReceiveFrom(buffer)) {
                    const std::span<const uint8_t> bytes(buffer.data(), d->bytes);
                    pcap.AddUdp(kWireSendPort, kWireReceivePort, bytes);
                    fromSenderRtp_->SendTo(LoopbackPorts::kLoopback, receiverPort_, bytes);
                    ++rtpSeen;
                }
                while (auto d = fromSenderRtcp_->ReceiveFrom(buffer)) {
                    const std::span<const uint8_t> bytes(buffer.data(), d->bytes);
                    pcap.AddUdp(kWireSendPort + 1, kWireReceivePort + 1, bytes);
                    fromSenderRtcp_->SendTo(LoopbackPorts::kLoopback, receiverPort_ + 1, bytes);
                    senderReportSeen = senderReportSeen || RtcpCompound::Parse(bytes)->senderInfo;
                }
                while (auto d = fromReceiverRtcp_->ReceiveFrom(buffer)) {
                    const std::span<const uint8_t> bytes(buffer.data(), d->bytes);
                    pcap.AddUdp(kWireReceivePort + 1, kWireSendPort + 1, bytes);
                    const auto report = RtcpCompound::Parse(bytes);
                    receiverReportSeen = receiverReportSeen || !report->reportBlocks.empty();
                }
                return rtpSeen == rtpExpected && senderReportSeen && receiverReportSeen;
            },
            std::chrono::seconds(10));
    }

private:
    static std::unique_ptr<RtpSession> Create(uint16_t port, double unitSeconds) {
        RtpSessionParams params;
        params.portBase = port;
        params.timestampUnitSeconds = unitSeconds;
        params.maximumPacketBytes = 65535;
        params.rtcpMinimumIntervalSeconds = 0.05;
        std::string error;
        return RtpSession::Create(params, error);
    }

    uint16_t relayToReceiverPort_ = 0;
    uint16_t relayToSenderPort_ = 0;
    uint16_t receiverPort_ = 0;
    std::optional<UdpSocket> fromSenderRtp_;
    std::optional<UdpSocket> fromSenderRtcp_;
    std::optional<UdpSocket> fromReceiverRtcp_;
    std::unique_ptr<RtpSession> sender_;
    std::unique_ptr<RtpSession> receiver_;
};

TEST(RtpWireTest, TsharkDecodesOurRtpAndRtcpWithoutComplaint) {
    if (!HaveTshark()) GTEST_SKIP() << "tshark is not installed";
    const std::string pcap = (std::filesystem::temp_directory_path() /
                              ("vp-rtp-" + std::to_string(LoopbackPorts::FreePair()) + ".pcap"))
                                 .string();
    constexpr std::size_t kPackets = 12;
    {
        WireCapture capture;
        PcapWriter writer(pcap);
        for (std::size_t i = 0; i < kPackets; ++i) {
            const Bytes piece(i % 3 == 2 ? 300 : 1400, static_cast<uint8_t>(i));
            ASSERT_TRUE(capture.Sender().SendPacket(piece, i < 3 ? 120 : 121, i % 3 == 2, 3600));
        }
        ASSERT_TRUE(capture.Relay(writer, kPackets));
    }
    std::size_t rtp = 0, idr = 0, markers = 0, senderReports = 0, receiverBlocks = 0, cnames = 0;
    for (const auto& row : DissectedFields(pcap)) {
        rtp += !row[0].empty();
        idr += row[0] == "120";
        markers += row[1] == "1" || row[1] == "True";
        senderReports += row[2].find("200") != std::string::npos;
        receiverBlocks += row[2].find("201") != std::string::npos && row[3].find('1') == 0;
        cnames += row[4].find("videophone") != std::string::npos;
    }
    EXPECT_EQ(rtp, kPackets);
    EXPECT_EQ(idr, 3u);
    EXPECT_EQ(markers, kPackets / 3);
    EXPECT_GE(senderReports, 1u);
    EXPECT_GE(receiverBlocks, 1u) << "receiver report with a block";
    EXPECT_GE(cnames, 2u);
    EXPECT_EQ(RunTshark(pcap, "-Y '_ws.malformed || _ws.expert.severity >= 0x00600000'"), "");
    std::filesystem::remove(pcap);
}

}  // namespace
