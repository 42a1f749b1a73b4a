#pragma once

#include "app/AutomationTarget.h"

class MessageLog;
class QtMessageBoxes;
class TerminalWindow;

// The automation interface's view of the running terminal.
class TerminalAutomation : public AutomationTarget {
public:
    TerminalAutomation(TerminalWindow& window, QtMessageBoxes& boxes, const MessageLog& log);

    QJsonObject Status() override;
    bool HasCommand(int commandId) const override;
    void Invoke(int commandId) override;
    void SetScriptedAnswer(bool yes) override;
    QString Type(const QString& text) override;
    QString Call(const QString& address, quint16 port) override;
    void Quit() override;

private:
    TerminalWindow& window_;
    QtMessageBoxes& boxes_;
    const MessageLog& log_;
};
