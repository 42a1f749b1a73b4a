#pragma once

#include <QString>
#include <QWidget>
#include <array>

class QLabel;

// The status bar: 8 panes of 140 pixels side by side. Panes beyond the
// window's width are cut off, as on the original terminal.
class StatusPanes : public QWidget {
    Q_OBJECT
public:
    static constexpr int kPaneCount = 8;
    static constexpr int kPaneWidthPx = 140;

    explicit StatusPanes(QWidget* parent = nullptr);

    void SetText(int pane, const QString& text);
    QString Text(int pane) const;

private:
    std::array<QLabel*, kPaneCount> panes_{};
};
