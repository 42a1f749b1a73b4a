#include "app/FullPictureView.h"

#include <QKeyEvent>
#include <QMenu>
#include <QVBoxLayout>

#include "app/DialogUnits.h"
#include "app/MenuDefinitions.h"
#include "app/PictureArea.h"

FullPictureView::FullPictureView(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint), picture_(new PictureArea(this)) {
    picture_->setObjectName(QStringLiteral("picture1042"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(picture_);
    resize(DialogUnits::ForFont(DialogUnits::DialogFont())
               .Size(kWidthDialogUnits, kHeightDialogUnits));
    connect(picture_, &PictureArea::LeftDoubleClicked, this, &QDialog::reject);
    connect(picture_, &PictureArea::RightButtonReleased, this, &FullPictureView::ShowPopupMenu);
}

void FullPictureView::SetCheckMarks(std::function<bool(int)> isChecked) {
    isChecked_ = std::move(isChecked);
}

void FullPictureView::Run() {
    setWindowState(windowState() | Qt::WindowMaximized);
    exec();
}

std::unique_ptr<QMenu> FullPictureView::CreatePopupMenu() {
    auto menu = std::make_unique<QMenu>(this);
    for (const MenuEntry& entry : MenuDefinitions::FullPicturePopup()) {
        if (entry.id == 0) {
            menu->addSeparator();
            continue;
        }
        QAction* action = menu->addAction(QString::fromUtf8(entry.text));
        action->setData(entry.id);
        action->setCheckable(true);
        action->setChecked(isChecked_ && isChecked_(entry.id));
        const int id = entry.id;
        connect(action, &QAction::triggered, this, [this, id] { emit CommandChosen(id); });
    }
    return menu;
}

void FullPictureView::ShowPopupMenu(QPoint globalPosition) {
    const std::unique_ptr<QMenu> menu = CreatePopupMenu();
    menu->exec(globalPosition);
}

void FullPictureView::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
        case Qt::Key_Escape:
            reject();
            return;
        default:
            QDialog::keyPressEvent(event);
    }
}
