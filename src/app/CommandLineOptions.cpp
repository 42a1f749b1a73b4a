#include "app/CommandLineOptions.h"

#include "app/DottedAddress.h"

namespace {

bool ParseCallTarget(const QString& value, CommandLineOptions& options) {
    const qsizetype colon = value.indexOf(QLatin1Char(':'));
    const QString address = colon < 0 ? value : value.left(colon);
    if (!DottedAddress::IsValid(address)) return false;
    if (colon >= 0) {
        options.callPort = DottedAddress::ParsePort(QStringView(value).mid(colon + 1));
        if (!options.callPort) return false;
    }
    options.callAddress = address;
    return true;
}

}  // namespace

std::optional<CommandLineOptions> CommandLineOptions::Parse(const QStringList& arguments,
                                                            QString& error) {
    CommandLineOptions options;
    for (qsizetype i = 1; i < arguments.size(); ++i) {
        const QString& name = arguments[i];
        const bool known = name == QLatin1String("--control") ||
                           name == QLatin1String("--answer") || name == QLatin1String("--call");
        if (!known) {
            error = QStringLiteral("unknown argument: ") + name;
            return std::nullopt;
        }
        if (i + 1 >= arguments.size()) {
            error = name + QStringLiteral(" needs a value");
            return std::nullopt;
        }
        const QString& value = arguments[++i];
        if (name == QLatin1String("--control")) {
            if (value.isEmpty()) {
                error = QStringLiteral("--control needs a path");
                return std::nullopt;
            }
            options.controlPath = value;
        } else if (name == QLatin1String("--answer")) {
            if (value != QLatin1String("yes") && value != QLatin1String("no")) {
                error = QStringLiteral("--answer takes yes or no");
                return std::nullopt;
            }
            options.scriptedAnswer = value == QLatin1String("yes");
        } else if (!ParseCallTarget(value, options)) {
            error = QStringLiteral("--call takes IP[:PORT]");
            return std::nullopt;
        }
    }
    return options;
}
