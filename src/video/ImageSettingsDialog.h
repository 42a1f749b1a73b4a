#pragma once

#include <QDialog>
#include <memory>
#include <optional>

#include "video/V4l2Device.h"
#include "video/VideoDevice.h"

class QVBoxLayout;

// "图像调节": one slider per image control of the running camera
// (brightness, contrast, saturation, ...), each acting the moment it moves.
// The test camera has none and says so.
class ImageSettingsDialog : public QDialog {
    Q_OBJECT

public:
    static const char* const kNoControlsOnTestCamera;
    static const char* const kNoControlsOnCamera;

    ImageSettingsDialog(const std::optional<VideoDevice>& device, QWidget* parent = nullptr);

private:
    void AddSlider(QVBoxLayout* layout, const V4l2Control& control);

    std::unique_ptr<V4l2Device> camera_;
};
