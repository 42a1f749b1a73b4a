#include "video/ImageSettingsDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QSlider>
#include <QVBoxLayout>

const char* const ImageSettingsDialog::kNoControlsOnTestCamera = "测试图像没有可调节的图像参数。";
const char* const ImageSettingsDialog::kNoControlsOnCamera = "该摄像机没有可调节的图像参数。";

ImageSettingsDialog::ImageSettingsDialog(const std::optional<VideoDevice>& device, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QStringLiteral("图像调节"));
    auto* layout = new QVBoxLayout(this);
    std::vector<V4l2Control> controls;
    if (device && !device->synthetic()) {
        camera_ = std::make_unique<V4l2Device>(device->path);
        controls = camera_->Controls();
    }
    for (const V4l2Control& control : controls) AddSlider(layout, control);
    if (controls.empty()) {
        const bool testCamera = !device || device->synthetic();
        layout->addWidget(new QLabel(
            QString::fromUtf8(testCamera ? kNoControlsOnTestCamera : kNoControlsOnCamera), this));
    }
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
}

void ImageSettingsDialog::AddSlider(QVBoxLayout* layout, const V4l2Control& control) {
    auto* row = new QHBoxLayout;
    auto* name = new QLabel(QString::fromStdString(control.name), this);
    auto* slider = new QSlider(Qt::Horizontal, this);
    auto* value = new QLabel(QString::number(control.value), this);
    name->setMinimumWidth(120);
    value->setMinimumWidth(40);
    slider->setRange(control.minimum, control.maximum);
    slider->setSingleStep(control.step);
    slider->setPageStep(control.step);
    slider->setValue(control.value);
    connect(slider, &QSlider::valueChanged, this, [this, id = control.id, value](int newValue) {
        value->setNum(newValue);
        camera_->SetControl(id, newValue);
    });
    row->addWidget(name);
    row->addWidget(slider, 1);
    row->addWidget(value);
    layout->addLayout(row);
}
