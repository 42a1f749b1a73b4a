#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// The one owner of POSIX socket calls: a non-blocking UDP/IPv4 socket bound
// to all interfaces. Errors come back as results with the system's text.
// Addresses are IPv4 in host byte order.
class UdpSocket {
public:
    struct Datagram {
        std::size_t bytes = 0;
        uint32_t address = 0;
        uint16_t port = 0;
        // The datagram was longer than the buffer and was cut off.
        bool truncated = false;
    };

    // Port 0 binds an ephemeral port. receiveBufferBytes 0 keeps the
    // system default.
    static std::optional<UdpSocket> Bind(uint16_t port, int receiveBufferBytes, std::string& error);
    static std::optional<uint32_t> ParseIpv4(std::string_view dotted);
    static std::string FormatIpv4(uint32_t address);

    // Waits until one of the sockets is readable or the timeout passes;
    // returns which ones are readable.
    static void WaitReadable(const UdpSocket& first, const UdpSocket& second, int timeoutMs,
                             bool& firstReadable, bool& secondReadable);

    UdpSocket(UdpSocket&& other) noexcept;
    UdpSocket& operator=(UdpSocket&& other) noexcept;
    UdpSocket(const UdpSocket&) = delete;
    UdpSocket& operator=(const UdpSocket&) = delete;
    ~UdpSocket();

    bool SendTo(uint32_t address, uint16_t port, std::span<const uint8_t> data) const;
    // Without waiting: nullopt when nothing is queued.
    std::optional<Datagram> ReceiveFrom(std::span<uint8_t> buffer) const;
    // Waits up to timeoutMs for one datagram.
    std::optional<Datagram> ReceiveFrom(std::span<uint8_t> buffer, int timeoutMs) const;
    uint16_t LocalPort() const;

private:
    explicit UdpSocket(int fd) : fd_(fd) {}

    int fd_ = -1;
};
