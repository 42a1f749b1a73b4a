#include "app/DottedAddress.h"

#include <QList>

namespace {

// Decimal digits only, at most maxDigits of them; nullopt otherwise.
std::optional<int> ParseDigits(QStringView text, int maxDigits) {
    if (text.isEmpty() || text.size() > maxDigits) return std::nullopt;
    int value = 0;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9')) return std::nullopt;
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

}  // namespace

bool DottedAddress::IsValid(QStringView text) {
    const QList<QStringView> parts = text.split(QLatin1Char('.'));
    if (parts.size() != 4) return false;
    for (const QStringView part : parts) {
        const std::optional<int> value = ParseDigits(part, 3);
        if (!value || *value > 255) return false;
    }
    return true;
}

std::optional<quint16> DottedAddress::ParsePort(QStringView text) {
    const std::optional<int> value = ParseDigits(text, 5);
    if (!value || *value < 1 || *value > 65535) return std::nullopt;
    return static_cast<quint16>(*value);
}
