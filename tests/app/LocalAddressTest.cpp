#include <gtest/gtest.h>

#include "app/LocalAddress.h"

namespace {

TEST(LocalAddressTest, TakesTheFirstIpv4AddressOrNothing) {
    const QHostAddress v6(QStringLiteral("fe80::1"));
    const QHostAddress first(QStringLiteral("10.77.0.1"));
    const QHostAddress second(QStringLiteral("192.168.0.9"));
    EXPECT_EQ(LocalAddress::FirstIpv4({v6, first, second}), QStringLiteral("10.77.0.1"));
    EXPECT_EQ(LocalAddress::FirstIpv4({v6}), QString());
    EXPECT_EQ(LocalAddress::FirstIpv4({}), QString());
}

}  // namespace

namespace {

TEST(LocalAddressTest, ALoopbackHostNameGivesWayToAnInterfaceAddress) {
    const QHostAddress loopback(QStringLiteral("127.0.1.1"));
    const QHostAddress lo(QStringLiteral("127.0.0.1"));
    const QHostAddress veth(QStringLiteral("10.77.0.1"));
    const QHostAddress lan(QStringLiteral("192.168.3.4"));
    struct Case {
        QList<QHostAddress> resolved;
        QList<QHostAddress> interfaces;
        QString expected;
    };
    const Case cases[] = {
        {{lan}, {lo, veth}, QStringLiteral("192.168.3.4")},
        {{loopback}, {lo, veth}, QStringLiteral("10.77.0.1")},
        {{loopback}, {lo}, QStringLiteral("127.0.1.1")},
        {{}, {lo, veth}, QStringLiteral("10.77.0.1")},
        {{}, {lo}, QString()},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(LocalAddress::Reachable(c.resolved, c.interfaces), c.expected);
    }
}

}  // namespace
