#include "call/TcpKeepAlive.h"

#include <QAbstractSocket>
#include <QVariant>

#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>

void TcpKeepAlive::Enable(QAbstractSocket& socket) {
    socket.setSocketOption(QAbstractSocket::KeepAliveOption, QVariant(1));
    const qintptr descriptor = socket.socketDescriptor();
    if (descriptor < 0) {
        return;
    }
    const int fd = static_cast<int>(descriptor);
    const int idle = kIdleSeconds;
    const int interval = kProbeIntervalSeconds;
    const int count = kProbeCount;
    const unsigned userTimeout = kUserTimeoutMs;
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval);
    setsockopt(fd, IPPROTO_TCP, TCP_KEEPCNT, &count, sizeof count);
    setsockopt(fd, IPPROTO_TCP, TCP_USER_TIMEOUT, &userTimeout, sizeof userTimeout);
}
