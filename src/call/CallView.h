#pragma once

#include <QString>

// What the control connection needs from the main window. Pane numbers are
// those of the status bar; menu items and buttons go by their command ids.
class CallView {
public:
    static constexpr int kCallMenuId = 32774;
    static constexpr int kHangUpMenuId = 32775;
    static constexpr int kStartServiceMenuId = 32810;
    static constexpr int kStopServiceMenuId = 32811;
    // The called side's and the caller's send buttons (at most one shows).
    static constexpr int kCalledSendButtonId = 1022;
    static constexpr int kCallerSendButtonId = 1006;

    virtual ~CallView() = default;

    virtual void SetPaneText(int pane, const QString& text) = 0;

    // The transcript panel (1003), shown as plain text.
    virtual QString Transcript() const = 0;
    virtual void SetTranscript(const QString& text) = 0;

    // The text input (1004).
    virtual QString InputText() const = 0;
    virtual void SetInputEnabled(bool enabled) = 0;
    // Empties the text input and disables the clear button (1029) and the
    // called side's send button (1022).
    virtual void ClearInput() = 0;

    // Shows or hides the send button with the given id.
    virtual void SetSendButtonVisible(int buttonId, bool visible) = 0;
    virtual void SetMenuItemEnabled(int commandId, bool enabled) = 0;

    // If the full-picture view is showing: clear its flag and close it.
    virtual void CloseFullPictureView() = 0;
    // The one-key operation of the media switches.
    virtual void RunOneKey() = 0;
    // Closes every stream the one-key operation opened; the caller clears
    // MediaState::oneKeyOn afterwards.
    virtual void CloseOneKeyMedia() = 0;
};
