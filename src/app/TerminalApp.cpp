#include "app/TerminalApp.h"

#include <QApplication>
#include <QFile>
#include <QScreen>
#include <QTimer>
#include <iostream>

#include "app/AutomationServer.h"
#include "app/CommandLineOptions.h"
#include "app/InstanceLock.h"
#include "app/LiveTerminalWindow.h"
#include "app/MessageLog.h"
#include "app/QtMessageBoxes.h"
#include "app/TerminalAutomation.h"
#include "settings/SettingsStore.h"
#include "settings/TerminalSettings.h"

namespace {

constexpr int kExitWrongArguments = 2;
constexpr int kExitAlreadyRunning = 1;
constexpr int kExitNoControlSocket = 3;

QSize PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen != nullptr ? screen->geometry().size() : QSize();
}

// The skin of the original terminal becomes a Qt style sheet, when present.
void LoadStyleSheet() {
    QFile skin(QString::fromLatin1(TerminalApp::kStyleSheetFile));
    if (skin.open(QIODevice::ReadOnly)) qApp->setStyleSheet(QString::fromUtf8(skin.readAll()));
}

void CallAfterStart(TerminalWindow& window, const CommandLineOptions& options) {
    const quint16 port = options.callPort.value_or(
        static_cast<quint16>(SettingsStore::ToInt(window.Settings().servicePort())));
    const QString error = window.PlaceCall(options.callAddress, port);
    if (!error.isEmpty()) std::cerr << "videophone: --call: " << error.toStdString() << '\n';
}

}  // namespace

TerminalApp::TerminalApp(QStringList arguments) : arguments_(std::move(arguments)) {}

int TerminalApp::Start() {
    QString error;
    const std::optional<CommandLineOptions> options = CommandLineOptions::Parse(arguments_, error);
    if (!options) {
        std::cerr << "videophone: " << error.toStdString() << '\n'
                  << CommandLineOptions::kUsage << '\n';
        return kExitWrongArguments;
    }

    MessageLog messageLog;
    QtMessageBoxes boxes(messageLog);
    boxes.SetScriptedAnswer(options->scriptedAnswer);

    // Held until the process ends. A lock file that cannot be made at all
    // does not keep the terminal from running.
    const InstanceLock instanceLock(InstanceLock::DefaultPath());
    if (instanceLock.HeldElsewhere()) {
        std::cerr << kAlreadyRunning << '\n';
        boxes.Inform(kAlreadyRunning);
        return kExitAlreadyRunning;
    }

    const QSize screenSize = PrimaryScreenSize();
    LoadStyleSheet();

    TerminalSettings settings;
    SettingsStore store(settings);
    LiveTerminalWindow window(boxes, store, screenSize);
    boxes.SetOwner(&window);
    window.Initialise();

    TerminalAutomation automation(window, boxes, messageLog);
    AutomationServer server(automation);
    if (!options->controlPath.isEmpty() && !server.Listen(options->controlPath, error)) {
        std::cerr << "videophone: --control: " << error.toStdString() << '\n';
        return kExitNoControlSocket;
    }

    // The window hides while in the tray, so the run ends when the window
    // finishes, not when the last window disappears.
    qApp->setQuitOnLastWindowClosed(false);
    QObject::connect(&window, &QDialog::finished, qApp, [] { QCoreApplication::exit(0); });
    window.show();
    if (!options->callAddress.isEmpty()) {
        QTimer::singleShot(0, &window, [&window, &options] { CallAfterStart(window, *options); });
    }
    return QApplication::exec();
}
