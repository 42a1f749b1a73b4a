#pragma once

#include <functional>

#include "call/CallView.h"

class MediaSwitcher;
class TerminalWindow;

// The control connection's view of the main window.
class WindowCallView : public CallView {
public:
    // `switcher` hands out the media switches once they exist.
    WindowCallView(TerminalWindow& window, std::function<MediaSwitcher*()> switcher);

    void SetPaneText(int pane, const QString& text) override;
    QString Transcript() const override;
    void SetTranscript(const QString& text) override;
    QString InputText() const override;
    void SetInputEnabled(bool enabled) override;
    void ClearInput() override;
    void SetSendButtonVisible(int buttonId, bool visible) override;
    void SetMenuItemEnabled(int commandId, bool enabled) override;
    void CloseFullPictureView() override;
    void RunOneKey() override;
    void CloseOneKeyMedia() override;

private:
    TerminalWindow& window_;
    std::function<MediaSwitcher*()> switcher_;
};
