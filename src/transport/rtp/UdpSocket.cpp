#include "transport/rtp/UdpSocket.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

sockaddr_in MakeAddress(uint32_t address, uint16_t port) {
    sockaddr_in sa{};
    sa.sin_family = AF_INET;
    sa.sin_port = htons(port);
    sa.sin_addr.s_addr = htonl(address);
    return sa;
}

}  // namespace

std::optional<UdpSocket> UdpSocket::Bind(uint16_t port, int receiveBufferBytes,
                                         std::string& error) {
    const int fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    if (fd < 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    UdpSocket socket(fd);
    if (receiveBufferBytes > 0 && ::setsockopt(fd, SOL_SOCKET, SO_RCVBUF, &receiveBufferBytes,
                                               sizeof receiveBufferBytes) != 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    const sockaddr_in sa = MakeAddress(INADDR_ANY, port);
    if (::bind(fd, reinterpret_cast<const sockaddr*>(&sa), sizeof sa) != 0) {
        error = std::strerror(errno);
        return std::nullopt;
    }
    return socket;
}

std::optional<uint32_t> UdpSocket::ParseIpv4(std::string_view dotted) {
    const std::string text(dotted);
    in_addr parsed{};
    if (::inet_pton(AF_INET, text.c_str(), &parsed) != 1) return std::nullopt;
    return ntohl(parsed.s_addr);
}

std::string UdpSocket::FormatIpv4(uint32_t address) {
    in_addr raw{};
    raw.s_addr = htonl(address);
    char text[INET_ADDRSTRLEN] = {};
    ::inet_ntop(AF_INET, &raw, text, sizeof text);
    return text;
}

void UdpSocket::WaitReadable(const UdpSocket& first, const UdpSocket& second, int timeoutMs,
                             bool& firstReadable, bool& secondReadable) {
    pollfd fds[2] = {{first.fd_, POLLIN, 0}, {second.fd_, POLLIN, 0}};
    firstReadable = secondReadable = false;
    if (::poll(fds, 2, timeoutMs) <= 0) return;
    firstReadable = (fds[0].revents & (POLLIN | POLLERR)) != 0;
    secondReadable = (fds[1].revents & (POLLIN | POLLERR)) != 0;
}

UdpSocket::UdpSocket(UdpSocket&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }

UdpSocket& UdpSocket::operator=(UdpSocket&& other) noexcept {
    if (this != &other) {
        if (fd_ >= 0) ::close(fd_);
        fd_ = other.fd_;
        other.fd_ = -1;
    }
    return *this;
}

UdpSocket::~UdpSocket() {
    if (fd_ >= 0) ::close(fd_);
}

bool UdpSocket::SendTo(uint32_t address, uint16_t port, std::span<const uint8_t> data) const {
    const sockaddr_in sa = MakeAddress(address, port);
    const ssize_t sent = ::sendto(fd_, data.data(), data.size(), MSG_NOSIGNAL,
                                  reinterpret_cast<const sockaddr*>(&sa), sizeof sa);
    return sent == static_cast<ssize_t>(data.size());
}

std::optional<UdpSocket::Datagram> UdpSocket::ReceiveFrom(std::span<uint8_t> buffer) const {
    sockaddr_in from{};
    socklen_t fromLength = sizeof from;
    const ssize_t received = ::recvfrom(fd_, buffer.data(), buffer.size(), MSG_TRUNC,
                                        reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (received < 0) return std::nullopt;
    Datagram datagram;
    datagram.truncated = static_cast<std::size_t>(received) > buffer.size();
    datagram.bytes = datagram.truncated ? buffer.size() : static_cast<std::size_t>(received);
    datagram.address = ntohl(from.sin_addr.s_addr);
    datagram.port = ntohs(from.sin_port);
    return datagram;
}

std::optional<UdpSocket::Datagram> UdpSocket::ReceiveFrom(std::span<uint8_t> buffer,
                                                          int timeoutMs) const {
    pollfd fd{fd_, POLLIN, 0};
    if (::poll(&fd, 1, timeoutMs) <= 0) return std::nullopt;
    return ReceiveFrom(buffer);
}

uint16_t UdpSocket::LocalPort() const {
    sockaddr_in sa{};
    socklen_t length = sizeof sa;
    if (::getsockname(fd_, reinterpret_cast<sockaddr*>(&sa), &length) != 0) return 0;
    return ntohs(sa.sin_port);
}
