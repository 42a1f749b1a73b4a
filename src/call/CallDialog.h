#pragma once

#include <QDialog>

#include "app/MessageBoxes.h"

class ControlChannel;
class QHostInfo;
class QLabel;
class QLineEdit;
class QPushButton;
class SettingsStore;

// Dialog 108 "点对点呼叫": takes the partner's address (typed or resolved from
// a domain name) and port, stores them and calls. It stays open, showing that
// it connects, until the connect has ended, and then closes with the cancel
// result whatever the outcome.
class CallDialog : public QDialog {
    Q_OBJECT
public:
    CallDialog(SettingsStore& store, ControlChannel& channel, MessageBoxes& boxes,
               QWidget* parent = nullptr);

    // Closing is held back while the connect runs; it ends within the limit.
    void reject() override;

    bool IsConnecting() const { return connecting_; }

private:
    void BuildLayout();
    void Resolve();
    void OnResolved(const QHostInfo& info);
    void Call();
    void OnConnectFinished();
    void SetInputsEnabled(bool enabled);

    SettingsStore& store_;
    ControlChannel& channel_;
    MessageBoxes& boxes_;
    QLineEdit* domainEdit_;
    QPushButton* resolveButton_;
    QLineEdit* addressEdit_;
    QLineEdit* portEdit_;
    QPushButton* contactsButton_;
    QLabel* contactText_;
    QLabel* progressText_;
    QPushButton* connectButton_;
    QPushButton* quitButton_;
    bool connecting_ = false;
};
