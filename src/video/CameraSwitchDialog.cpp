#include "video/CameraSwitchDialog.h"

#include <QComboBox>
#include <QPushButton>
#include <QVBoxLayout>

#include "video/CameraSwitcher.h"

CameraSwitchDialog::CameraSwitchDialog(CameraSwitcher& switcher,
                                       const std::vector<VideoDevice>& devices, int currentIndex,
                                       QWidget* parent)
    : QDialog(parent), switcher_(switcher), deviceList_(new QComboBox(this)) {
    setWindowTitle(QStringLiteral("切换摄像机"));
    deviceList_->setObjectName(QStringLiteral("deviceList"));
    for (const VideoDevice& device : devices) {
        deviceList_->addItem(QString::fromStdString(device.name));
    }
    deviceList_->setCurrentIndex(currentIndex);
    auto* quit = new QPushButton(QStringLiteral("退出"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(deviceList_);
    layout->addWidget(quit);
    connect(quit, &QPushButton::clicked, this, &QDialog::close);
    connect(deviceList_, &QComboBox::currentIndexChanged, this,
            [this](int index) { switcher_.Switch(index); });
}
