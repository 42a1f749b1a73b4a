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
