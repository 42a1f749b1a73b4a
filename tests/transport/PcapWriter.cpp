#include "PcapWriter.h"

#include <vector>

namespace {

constexpr uint32_t kLinkTypeRawIpv4 = 101;
constexpr uint32_t kLoopback = 0x7f000001;

void Put16(std::vector<uint8_t>& out, uint16_t v) {
    out.push_back(static_cast<uint8_t>(v >> 8));
    out.push_back(static_cast<uint8_t>(v));
}

void Put32(std::vector<uint8_t>& out, uint32_t v) {
    Put16(out, static_cast<uint16_t>(v >> 16));
    Put16(out, static_cast<uint16_t>(v));
}

void WriteLittle32(std::ofstream& file, uint32_t v) {
    const char bytes[4] = {static_cast<char>(v), static_cast<char>(v >> 8),
                           static_cast<char>(v >> 16), static_cast<char>(v >> 24)};
    file.write(bytes, 4);
}

uint16_t HeaderChecksum(const std::vector<uint8_t>& header) {
    uint32_t sum = 0;
    for (std::size_t i = 0; i + 1 < header.size(); i += 2) sum += (header[i] << 8) | header[i + 1];
    while (sum >> 16) sum = (sum & 0xffff) + (sum >> 16);
    return static_cast<uint16_t>(~sum);
}

}  // namespace

PcapWriter::PcapWriter(const std::string& path) : file_(path, std::ios::binary) {
    WriteLittle32(file_, 0xa1b2c3d4);
    WriteLittle32(file_, 2 | (4u << 16));  // version 2.4
    WriteLittle32(file_, 0);               // time zone
    WriteLittle32(file_, 0);               // accuracy
    WriteLittle32(file_, 65535);           // snapshot length
    WriteLittle32(file_, kLinkTypeRawIpv4);
}

void PcapWriter::AddUdp(uint16_t sourcePort, uint16_t destinationPort,
                        std::span<const uint8_t> payload) {
    std::vector<uint8_t> packet;
    const auto totalBytes = static_cast<uint16_t>(20 + 8 + payload.size());
    packet.push_back(0x45);
    packet.push_back(0);
    Put16(packet, totalBytes);
    Put16(packet, static_cast<uint16_t>(packetIndex_));
    Put16(packet, 0);
    packet.push_back(64);  // TTL
    packet.push_back(17);  // UDP
    Put16(packet, 0);      // checksum, filled below
    Put32(packet, kLoopback);
    Put32(packet, kLoopback);
    const uint16_t checksum = HeaderChecksum(packet);
    packet[10] = static_cast<uint8_t>(checksum >> 8);
    packet[11] = static_cast<uint8_t>(checksum);
    Put16(packet, sourcePort);
    Put16(packet, destinationPort);
    Put16(packet, static_cast<uint16_t>(8 + payload.size()));
    Put16(packet, 0);  // no UDP checksum
    packet.insert(packet.end(), payload.begin(), payload.end());

    WriteLittle32(file_, packetIndex_);  // seconds: one packet per second
    WriteLittle32(file_, 0);
    WriteLittle32(file_, static_cast<uint32_t>(packet.size()));
    WriteLittle32(file_, static_cast<uint32_t>(packet.size()));
    file_.write(reinterpret_cast<const char*>(packet.data()),
                static_cast<std::streamsize>(packet.size()));
    ++packetIndex_;
}
