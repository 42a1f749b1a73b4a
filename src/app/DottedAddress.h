#pragma once

#include <QStringView>
#include <optional>

// Checks for the texts that name an IPv4 address or a port on the command
// line and the automation socket.
class DottedAddress {
public:
    // Four decimal parts 0..255 separated by dots, nothing else.
    static bool IsValid(QStringView text);
    // Decimal 1..65535, nothing else.
    static std::optional<quint16> ParsePort(QStringView text);
};
