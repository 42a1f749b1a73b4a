#include "app/WindowCallView.h"

#include <QPushButton>

#include "app/TerminalWindow.h"
#include "call/MediaSwitcher.h"

WindowCallView::WindowCallView(TerminalWindow& window, std::function<MediaSwitcher*()> switcher)
    : window_(window), switcher_(std::move(switcher)) {}

void WindowCallView::SetPaneText(int pane, const QString& text) { window_.SetPaneText(pane, text); }

QString WindowCallView::Transcript() const { return window_.TranscriptText(); }

void WindowCallView::SetTranscript(const QString& text) { window_.SetTranscriptText(text); }

QString WindowCallView::InputText() const { return window_.InputText(); }

void WindowCallView::SetInputEnabled(bool enabled) { window_.SetInputEnabled(enabled); }

void WindowCallView::ClearInput() {
    window_.SetInputText(QString());
    window_.ClearInputButton().setEnabled(false);
    window_.CalledSideSendButton().setEnabled(false);
}

void WindowCallView::SetSendButtonVisible(int buttonId, bool visible) {
    QPushButton& button = buttonId == kCalledSendButtonId ? window_.CalledSideSendButton()
                                                          : window_.CallerSendButton();
    button.setVisible(visible);
}

void WindowCallView::SetMenuItemEnabled(int commandId, bool enabled) {
    window_.SetMenuEnabled(commandId, enabled);
}

void WindowCallView::CloseFullPictureView() {
    if (window_.IsFullPictureViewShowing()) window_.CloseFullPictureView();
}

void WindowCallView::RunOneKey() {
    if (MediaSwitcher* switcher = switcher_()) switcher->OneKeyToggle();
}

void WindowCallView::CloseOneKeyMedia() {
    if (MediaSwitcher* switcher = switcher_()) switcher->CloseOneKeyMedia();
}
