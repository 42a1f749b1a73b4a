#include "app/AutomationServer.h"

#include <sys/stat.h>

#include <QFile>
#include <QJsonDocument>
#include <QLocalServer>
#include <QLocalSocket>

#include "app/AutomationRequest.h"
#include "app/AutomationTarget.h"

namespace {

// Only a socket file may be replaced; anything else at the path stays.
bool IsSocketFile(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISSOCK(info.st_mode);
}

bool PathExists(const QString& path) {
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0;
}

}  // namespace

AutomationServer::AutomationServer(AutomationTarget& target, QObject* parent)
    : QObject(parent), target_(target), server_(new QLocalServer(this)) {
    connect(server_, &QLocalServer::newConnection, this, &AutomationServer::AcceptConnections);
}

AutomationServer::~AutomationServer() = default;

bool AutomationServer::Listen(const QString& path, QString& error) {
    if (PathExists(path)) {
        if (!IsSocketFile(path)) {
            error = QStringLiteral("not a socket: ") + path;
            return false;
        }
        QLocalServer::removeServer(path);
    }
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_->listen(path)) {
        error = server_->errorString();
        return false;
    }
    return true;
}

void AutomationServer::AcceptConnections() {
    while (QLocalSocket* socket = server_->nextPendingConnection()) {
        splitters_.emplace(socket, RequestLineSplitter());
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] { ReadRequests(socket); });
        connect(socket, &QLocalSocket::disconnected, this, [this, socket] { Forget(socket); });
    }
}

void AutomationServer::Forget(QLocalSocket* socket) {
    splitters_.erase(socket);
    // Deferred: the socket may be in use further up the stack (a request
    // that opened a modal dialog).
    socket->deleteLater();
}

void AutomationServer::ReadRequests(QLocalSocket* socket) {
    const auto found = splitters_.find(socket);
    if (found == splitters_.end()) return;
    const QList<RequestLineSplitter::Line> lines = found->second.Feed(socket->readAll());
    const QPointer<QLocalSocket> guarded(socket);
    for (const RequestLineSplitter::Line& line : lines) {
        if (!guarded || guarded->state() != QLocalSocket::ConnectedState) return;
        Handle(guarded, line);
    }
}

void AutomationServer::Handle(const QPointer<QLocalSocket>& socket,
                              const RequestLineSplitter::Line& line) {
    if (line.tooLong) {
        Reply(socket, Error(QStringLiteral("line too long")));
        return;
    }
    const AutomationRequest request = AutomationRequest::Parse(QString::fromUtf8(line.text));
    if (!request.IsValid()) {
        Reply(socket, Error(request.error));
        return;
    }
    Execute(socket, request);
}

void AutomationServer::Execute(const QPointer<QLocalSocket>& socket,
                               const AutomationRequest& request) {
    switch (request.verb) {
        case AutomationRequest::Verb::Status:
            Reply(socket, target_.Status());
            return;
        case AutomationRequest::Verb::Invoke:
            if (!target_.HasCommand(request.commandId)) {
                Reply(socket, Error(QStringLiteral("unknown command id")));
                return;
            }
            // Replied first: the command may open a modal dialog, during which
            // this connection keeps being served.
            Reply(socket, Ok());
            target_.Invoke(request.commandId);
            return;
        case AutomationRequest::Verb::Answer:
            target_.SetScriptedAnswer(request.answerYes);
            Reply(socket, Ok());
            return;
        case AutomationRequest::Verb::Type: {
            const QString error = target_.Type(request.text);
            Reply(socket, error.isEmpty() ? Ok() : Error(error));
            return;
        }
        case AutomationRequest::Verb::Call: {
            const QString error = target_.Call(request.address, request.port);
            Reply(socket, error.isEmpty() ? Ok() : Error(error));
            return;
        }
        case AutomationRequest::Verb::Quit:
            Reply(socket, Ok());
            target_.Quit();
            return;
    }
}

void AutomationServer::Reply(const QPointer<QLocalSocket>& socket, const QJsonObject& reply) {
    if (!socket) return;
    socket->write(QJsonDocument(reply).toJson(QJsonDocument::Compact) + '\n');
    socket->flush();
}

QJsonObject AutomationServer::Ok() { return {{QStringLiteral("ok"), true}}; }

QJsonObject AutomationServer::Error(const QString& text) {
    return {{QStringLiteral("ok"), false}, {QStringLiteral("error"), text}};
}
