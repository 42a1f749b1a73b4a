#pragma once

class QAbstractSocket;

// Makes a connected TCP socket notice a partner that vanished without
// closing (program killed with its machine, cable pulled): the kernel probes
// an idle connection and fails it after about half a minute without answer.
class TcpKeepAlive {
public:
    static constexpr int kIdleSeconds = 10;
    static constexpr int kProbeIntervalSeconds = 5;
    static constexpr int kProbeCount = 3;
    // Unacknowledged data also fails the connection after this long.
    static constexpr unsigned kUserTimeoutMs = 30000;

    // Failures leave the socket as it was: the probes are a help, not a need.
    static void Enable(QAbstractSocket& socket);
};
