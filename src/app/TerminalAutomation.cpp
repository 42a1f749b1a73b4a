#include "app/TerminalAutomation.h"

#include <QJsonArray>

#include "app/QtMessageBoxes.h"
#include "app/StatusPanes.h"
#include "app/StatusReport.h"
#include "app/TerminalWindow.h"

TerminalAutomation::TerminalAutomation(TerminalWindow& window, QtMessageBoxes& boxes,
                                       const MessageLog& log)
    : window_(window), boxes_(boxes), log_(log) {}

QJsonObject TerminalAutomation::Status() {
    QJsonArray panes;
    for (int pane = 0; pane < StatusPanes::kPaneCount; ++pane) {
        panes.append(window_.PaneText(pane));
    }
    return {
        {QStringLiteral("title"), window_.windowTitle()},
        {QStringLiteral("panes"), panes},
        {QStringLiteral("transcript"), window_.TranscriptText()},
        {QStringLiteral("input"), window_.InputText()},
        {QStringLiteral("menu"), window_.MenuStates()},
        {QStringLiteral("call"), StatusReport::Call(window_.Call(), window_.Media())},
        {QStringLiteral("media"), StatusReport::Media(window_.Media())},
        {QStringLiteral("settings"), StatusReport::Settings(window_.Settings())},
        {QStringLiteral("messages"), StatusReport::Messages(log_.Entries())},
        {QStringLiteral("counters"), StatusReport::Counters(window_.Counters())},
    };
}

bool TerminalAutomation::HasCommand(int commandId) const { return window_.HasCommand(commandId); }

void TerminalAutomation::Invoke(int commandId) { window_.RunCommand(commandId); }

void TerminalAutomation::SetScriptedAnswer(bool yes) { boxes_.SetScriptedAnswer(yes); }

QString TerminalAutomation::Type(const QString& text) {
    if (!window_.IsInputEnabled()) return QStringLiteral("the text input is disabled");
    window_.SetInputText(text);
    return {};
}

QString TerminalAutomation::Call(const QString& address, quint16 port) {
    return window_.PlaceCall(address, port);
}

void TerminalAutomation::Quit() { window_.RequestExit(); }
