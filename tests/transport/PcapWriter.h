#pragma once

#include <cstdint>
#include <fstream>
#include <span>
#include <string>

// Writes UDP datagrams into a pcap file (raw IPv4 link type) so that tshark
// can dissect exactly the bytes our sessions put on the wire.
class PcapWriter {
public:
    explicit PcapWriter(const std::string& path);

    void AddUdp(uint16_t sourcePort, uint16_t destinationPort, std::span<const uint8_t> payload);

private:
    std::ofstream file_;
    uint32_t packetIndex_ = 0;
};
