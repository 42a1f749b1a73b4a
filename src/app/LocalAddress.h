#pragma once

#include <QHostAddress>
#include <QList>
#include <QString>

// The terminal's own address: the first IPv4 address that the machine's
// host name resolves to. Host names commonly resolve to a loopback address
// (127.0.1.1 on Debian), and a service bound there cannot be called from
// another machine, so a loopback answer gives way to the first IPv4 address
// of the machine's own interfaces.
class LocalAddress {
public:
    // Empty when nothing is found: the service then binds to every local
    // address.
    static QString Find();
    static QString FirstIpv4(const QList<QHostAddress>& addresses);
    // The first non-loopback IPv4 of `resolved`, else of `interfaces`, else
    // the first IPv4 of `resolved`.
    static QString Reachable(const QList<QHostAddress>& resolved,
                             const QList<QHostAddress>& interfaces);
};
