#pragma once

#include <QStringList>

// Runs the terminal: one instance per machine, process-wide settings, then
// the main window until it closes.
class TerminalApp {
public:
    static constexpr const char* kAlreadyRunning = "程序已运行！";
    static constexpr const char* kStyleSheetFile = "dogmax.she";

    // arguments as given to the program (after Qt took its own).
    explicit TerminalApp(QStringList arguments);

    // The process exit status: 0 after the window closed, non-zero when the
    // arguments are wrong, another terminal runs or the control socket cannot
    // be opened.
    int Start();

private:
    QStringList arguments_;
};
