#include "app/QtMessageBoxes.h"

#include <QMessageBox>
#include <QThread>

#include "app/MessageLog.h"

namespace {

const QString kOk = QStringLiteral("ok");
const QString kYes = QStringLiteral("yes");
const QString kNo = QStringLiteral("no");

}  // namespace

QtMessageBoxes::QtMessageBoxes(MessageLog& log) : log_(log) {}

void QtMessageBoxes::SetOwner(QWidget* owner) { owner_ = owner; }

void QtMessageBoxes::SetScriptedAnswer(std::optional<bool> answer) {
    scriptedAnswer_.store(!answer ? 0 : (*answer ? 1 : 2));
}

std::optional<bool> QtMessageBoxes::ScriptedAnswer() const {
    const int answer = scriptedAnswer_.load();
    if (answer == 0) return std::nullopt;
    return answer == 1;
}

void QtMessageBoxes::Inform(const std::string& text, const std::string& caption) {
    const QString qtText = QString::fromStdString(text);
    const QString qtCaption = QString::fromStdString(caption);
    if (QThread::currentThread() == windowThreadContext_.thread()) {
        InformHere(qtText, qtCaption);
        return;
    }
    // A worker never waits for the user.
    QMetaObject::invokeMethod(
        &windowThreadContext_, [this, qtText, qtCaption] { InformHere(qtText, qtCaption); },
        Qt::QueuedConnection);
}

void QtMessageBoxes::InformHere(const QString& text, const QString& caption) {
    if (ScriptedAnswer()) {
        log_.Add(caption, text, kOk);
        return;
    }
    const std::size_t entry = log_.Add(caption, text);
    QMessageBox::information(owner_, caption, text, QMessageBox::Ok);
    log_.SetAnswer(entry, kOk);
}

bool QtMessageBoxes::Ask(const std::string& text, const std::string& caption) {
    const QString qtText = QString::fromStdString(text);
    const QString qtCaption = QString::fromStdString(caption);
    if (const std::optional<bool> scripted = ScriptedAnswer()) {
        log_.Add(qtCaption, qtText, *scripted ? kYes : kNo);
        return *scripted;
    }
    const std::size_t entry = log_.Add(qtCaption, qtText);
    const bool yes = QMessageBox::question(owner_, qtCaption, qtText,
                                           QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    log_.SetAnswer(entry, yes ? kYes : kNo);
    return yes;
}
