#include "app/AboutBox.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

AboutBox::AboutBox(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QString::fromUtf8(kMenuText).remove(QStringLiteral("(&A)...")));
    auto* icon = new QLabel(this);
    icon->setPixmap(QPixmap(QStringLiteral(":/images/icon128.png")).scaled(32, 32));
    auto* name = new QLabel(QString::fromUtf8(kNameLine), this);
    auto* year = new QLabel(QString::fromUtf8(kYearLine), this);
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("确定"), QDialogButtonBox::AcceptRole);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);

    auto* layout = new QGridLayout(this);
    layout->addWidget(icon, 0, 0, 2, 1, Qt::AlignTop);
    layout->addWidget(name, 0, 1);
    layout->addWidget(year, 1, 1);
    layout->addWidget(buttons, 2, 0, 1, 2);
}
