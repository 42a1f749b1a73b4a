#pragma once

#include <QJsonObject>
#include <QString>

// What the automation interface drives: the terminal's window, or a fake in
// tests. Every call comes on the window's thread.
class AutomationTarget {
public:
    virtual ~AutomationTarget() = default;

    virtual QJsonObject Status() = 0;
    virtual bool HasCommand(int commandId) const = 0;
    // Runs the command as its menu item, button or popup item would.
    virtual void Invoke(int commandId) = 0;
    // How the following questions are answered.
    virtual void SetScriptedAnswer(bool yes) = 0;
    // Sets the text input as if typed; an error text, or empty on success.
    virtual QString Type(const QString& text) = 0;
    // Calls a terminal as the call dialog would; an error text, or empty.
    virtual QString Call(const QString& address, quint16 port) = 0;
    // The exit path, its question answered as set.
    virtual void Quit() = 0;
};
