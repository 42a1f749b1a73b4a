#pragma once

#include <QDialog>

// The About box: the program's icon, name, version and year, and 确定.
class AboutBox : public QDialog {
    Q_OBJECT
public:
    static constexpr const char* kNameLine = "【澜川汇】视频电话终端 1.0 版";
    static constexpr const char* kYearLine = "版权所有 (C) 2012";
    // The About command's text.
    static constexpr const char* kMenuText = "关于 【澜川汇】视频电话终端(&A)...";

    explicit AboutBox(QWidget* parent = nullptr);
};
