#include "app/AutomationRequest.h"

#include "app/DottedAddress.h"

#include <algorithm>

namespace {

AutomationRequest Invalid(const QString& error) {
    AutomationRequest request;
    request.error = error;
    return request;
}

AutomationRequest WithoutArgument(AutomationRequest::Verb verb, QStringView argument,
                                  bool hasArgument) {
    if (hasArgument || !argument.isEmpty()) return Invalid(QStringLiteral("takes no argument"));
    AutomationRequest request;
    request.verb = verb;
    return request;
}

AutomationRequest ParseInvoke(QStringView argument) {
    bool ok = false;
    const bool digitsOnly =
        !argument.isEmpty() && std::all_of(argument.begin(), argument.end(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
    const int id = digitsOnly ? argument.toInt(&ok) : 0;
    if (!ok || id <= 0 || id > 65535) return Invalid(QStringLiteral("bad command id"));
    AutomationRequest request;
    request.verb = AutomationRequest::Verb::Invoke;
    request.commandId = id;
    return request;
}

AutomationRequest ParseAnswer(QStringView argument) {
    if (argument != QLatin1String("yes") && argument != QLatin1String("no")) {
        return Invalid(QStringLiteral("answer takes yes or no"));
    }
    AutomationRequest request;
    request.verb = AutomationRequest::Verb::Answer;
    request.answerYes = argument == QLatin1String("yes");
    return request;
}

AutomationRequest ParseCall(QStringView argument) {
    const qsizetype space = argument.indexOf(QLatin1Char(' '));
    if (space < 0) return Invalid(QStringLiteral("call takes IP PORT"));
    const QStringView address = argument.left(space);
    const std::optional<quint16> port = DottedAddress::ParsePort(argument.mid(space + 1));
    if (!DottedAddress::IsValid(address) || !port) {
        return Invalid(QStringLiteral("call takes IP PORT"));
    }
    AutomationRequest request;
    request.verb = AutomationRequest::Verb::Call;
    request.address = address.toString();
    request.port = *port;
    return request;
}

}  // namespace

AutomationRequest AutomationRequest::Parse(QStringView line) {
    if (line.endsWith(QLatin1Char('\r'))) line.chop(1);
    const qsizetype space = line.indexOf(QLatin1Char(' '));
    const bool hasArgument = space >= 0;
    const QStringView verb = hasArgument ? line.left(space) : line;
    const QStringView argument = hasArgument ? line.mid(space + 1) : QStringView();

    if (verb == QLatin1String("status"))
        return WithoutArgument(Verb::Status, argument, hasArgument);
    if (verb == QLatin1String("quit")) return WithoutArgument(Verb::Quit, argument, hasArgument);
    if (verb == QLatin1String("invoke")) return ParseInvoke(argument);
    if (verb == QLatin1String("answer")) return ParseAnswer(argument);
    if (verb == QLatin1String("call")) return ParseCall(argument);
    if (verb == QLatin1String("type")) {
        AutomationRequest request;
        request.verb = Verb::Type;
        request.text = argument.toString();
        return request;
    }
    if (verb.isEmpty()) return Invalid(QStringLiteral("empty request"));
    return Invalid(QStringLiteral("unknown request: ") + verb.left(40).toString());
}
