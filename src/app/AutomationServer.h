#pragma once

#include <QJsonObject>
#include <QObject>
#include <QPointer>
#include <QString>
#include <map>

#include "app/RequestLineSplitter.h"

class AutomationTarget;
class QLocalServer;
class QLocalSocket;
struct AutomationRequest;

// The automation interface: a UNIX-domain stream socket on which each
// request is one UTF-8 line and each reply one JSON line. Runs on the
// window's thread; wrong input gets an error reply and never blocks it.
class AutomationServer : public QObject {
    Q_OBJECT
public:
    explicit AutomationServer(AutomationTarget& target, QObject* parent = nullptr);
    ~AutomationServer() override;

    // Listens at path, replacing a stale socket left there; false with an
    // error text when that fails (also when path is some other kind of file).
    bool Listen(const QString& path, QString& error);

private:
    void AcceptConnections();
    void ReadRequests(QLocalSocket* socket);
    void Forget(QLocalSocket* socket);
    void Handle(const QPointer<QLocalSocket>& socket, const RequestLineSplitter::Line& line);
    void Execute(const QPointer<QLocalSocket>& socket, const AutomationRequest& request);
    static void Reply(const QPointer<QLocalSocket>& socket, const QJsonObject& reply);
    static QJsonObject Ok();
    static QJsonObject Error(const QString& text);

    AutomationTarget& target_;
    QLocalServer* server_;
    std::map<QLocalSocket*, RequestLineSplitter> splitters_;
};
