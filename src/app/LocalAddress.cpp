#include "app/LocalAddress.h"

#include <QHostInfo>
#include <QNetworkInterface>

namespace {

QString FirstNonLoopbackIpv4(const QList<QHostAddress>& addresses) {
    for (const QHostAddress& address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol && !address.isLoopback()) {
            return address.toString();
        }
    }
    return {};
}

}  // namespace

QString LocalAddress::Find() {
    // The platform hands out at most 60 bytes of the host name.
    const QString hostName = QHostInfo::localHostName().left(60);
    const QList<QHostAddress> resolved =
        hostName.isEmpty() ? QList<QHostAddress>() : QHostInfo::fromName(hostName).addresses();
    return Reachable(resolved, QNetworkInterface::allAddresses());
}

QString LocalAddress::FirstIpv4(const QList<QHostAddress>& addresses) {
    for (const QHostAddress& address : addresses) {
        if (address.protocol() == QAbstractSocket::IPv4Protocol) return address.toString();
    }
    return {};
}

QString LocalAddress::Reachable(const QList<QHostAddress>& resolved,
                                const QList<QHostAddress>& interfaces) {
    QString address = FirstNonLoopbackIpv4(resolved);
    if (address.isEmpty()) address = FirstNonLoopbackIpv4(interfaces);
    if (address.isEmpty()) address = FirstIpv4(resolved);
    return address;
}
