#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

// The terminal's own address: the first IPv4 address that the machine's
// host name resolves to.
class LocalAddress {
public:
    // Empty when the host name does not resolve: the service then binds to
    // every local address.
    static QString Find();
    static QString FirstIpv4(const QList<QHostAddress>& addresses);
};
