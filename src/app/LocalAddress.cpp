#include "app/LocalAddress.h"

#include <QHostInfo>

QString LocalAddress::Find() {
    // The platform hands out at most 60 bytes of the host name.
    const QString hostName = QHostInfo::localHostName().left(60);
    if (hostName.isEmpty()) return {};
    return FirstIpv4(QHostInfo::fromName(hostName).addresses());
}

QString LocalAddress::FirstIpv4(const QList<QHostAddress>& addresses) {
    for (const QHostAddress& address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) return address.toString();
    }
    return {};
}
