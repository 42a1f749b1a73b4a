#pragma once

#include <QDialog>
#include <vector>

#include "video/VideoDevice.h"

class CameraSwitcher;
class QComboBox;

// "切换摄像机": the camera list with the current camera selected; choosing
// another one switches capture to it at once. Modeless.
class CameraSwitchDialog : public QDialog {
    Q_OBJECT

public:
    CameraSwitchDialog(CameraSwitcher& switcher, const std::vector<VideoDevice>& devices,
                       int currentIndex, QWidget* parent = nullptr);

private:
    CameraSwitcher& switcher_;
    QComboBox* deviceList_;
};
