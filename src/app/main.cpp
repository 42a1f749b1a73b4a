#include <QApplication>

#include "app/TerminalApp.h"

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    TerminalApp terminal(QApplication::arguments());
    return terminal.Start();
}
