#include "LoopbackPorts.h"

#include <random>
#include <string>
#include <thread>

#include "transport/rtp/UdpSocket.h"

uint16_t LoopbackPorts::FreePair() {
    static std::mt19937 engine(std::random_device{}());
    std::uniform_int_distribution<int> evenPorts(15000, 30000);
    while (true) {
        const auto port = static_cast<uint16_t>(evenPorts(engine) * 2);
        std::string error;
        auto rtp = UdpSocket::Bind(port, 0, error);
        auto rtcp = UdpSocket::Bind(static_cast<uint16_t>(port + 1), 0, error);
        if (rtp && rtcp) return port;
    }
}

bool LoopbackPorts::WaitUntil(const std::function<bool()>& condition,
                              std::chrono::milliseconds timeout) {
    const auto deadline = std::chrono::steady_clock::now() + timeout;
    while (!condition()) {
        if (std::chrono::steady_clock::now() > deadline) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
    return true;
}
