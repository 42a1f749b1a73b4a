#pragma once

#include <QString>
#include <QStringList>
#include <optional>

// videophone [--control PATH] [--answer yes|no] [--call IP[:PORT]]
struct CommandLineOptions {
    static constexpr const char* kUsage =
        "usage: videophone [--control PATH] [--answer yes|no] [--call IP[:PORT]]";

    // UNIX-domain socket of the automation interface; empty: none.
    QString controlPath;
    // How questions are answered; nullopt: a real box asks the user.
    std::optional<bool> scriptedAnswer;
    // Terminal to call after start; empty: none.
    QString callAddress;
    // Port to call; nullopt: the service port of the settings.
    std::optional<quint16> callPort;

    // arguments[0] is the program. On failure returns nullopt and fills error.
    static std::optional<CommandLineOptions> Parse(const QStringList& arguments, QString& error);
};
