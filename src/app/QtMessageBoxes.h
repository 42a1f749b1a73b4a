#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <atomic>
#include <optional>

#include "app/MessageBoxes.h"

class MessageLog;
class QWidget;

// Message boxes shown with QMessageBox, or answered by script for the
// automation interface. Every box is recorded in the log. Create it on the
// window's thread: boxes from other threads are posted there.
class QtMessageBoxes : public MessageBoxes {
public:
    explicit QtMessageBoxes(MessageLog& log);

    // The window the boxes belong to; none until it exists.
    void SetOwner(QWidget* owner);
    // nullopt: real boxes ask the user; otherwise questions get this answer
    // and information boxes are acknowledged without showing.
    void SetScriptedAnswer(std::optional<bool> answer);

    void Inform(const std::string& text, const std::string& caption = "提示") override;
    bool Ask(const std::string& text, const std::string& caption) override;

private:
    void InformHere(const QString& text, const QString& caption);
    std::optional<bool> ScriptedAnswer() const;

    MessageLog& log_;
    QPointer<QWidget> owner_;
    // 0: ask the user, 1: yes, 2: no.
    std::atomic<int> scriptedAnswer_{0};
    // Lives on the window's thread; target of the boxes posted from elsewhere.
    QObject windowThreadContext_;
};
