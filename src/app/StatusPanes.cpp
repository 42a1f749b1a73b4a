#include "app/StatusPanes.h"

#include <QLabel>

StatusPanes::StatusPanes(QWidget* parent) : QWidget(parent) {
    const int height = fontMetrics().height() + 6;
    setFixedHeight(height);
    for (int i = 0; i < kPaneCount; ++i) {
        auto* pane = new QLabel(this);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setTextFormat(Qt::PlainText);
        pane->setGeometry(i * kPaneWidthPx, 0, kPaneWidthPx, height);
        panes_[i] = pane;
    }
}

void StatusPanes::SetText(int pane, const QString& text) {
    if (pane >= 0 && pane < kPaneCount) panes_[pane]->setText(text);
}

QString StatusPanes::Text(int pane) const {
    return pane >= 0 && pane < kPaneCount ? panes_[pane]->text() : QString();
}
