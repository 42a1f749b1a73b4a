#pragma once

#include <QString>
#include <QStringView>

// One request line of the automation interface, parsed.
struct AutomationRequest {
    enum class Verb { Status, Invoke, Answer, Type, Call, Quit };

    Verb verb = Verb::Status;
    int commandId = 0;       // invoke
    bool answerYes = false;  // answer
    QString text;            // type
    QString address;         // call
    quint16 port = 0;        // call
    // Not empty when the line is no valid request.
    QString error;

    bool IsValid() const { return error.isEmpty(); }

    // The line without its line end; a trailing carriage return is ignored.
    static AutomationRequest Parse(QStringView line);
};
