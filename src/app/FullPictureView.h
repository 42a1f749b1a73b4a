#pragma once

#include <QDialog>
#include <functional>
#include <memory>

class PictureArea;
class QMenu;

// The full-picture view: the remote picture over the whole screen, without
// caption. Enter, Escape or a double-click closes it; a right click opens
// popup 184, whose commands go back to the window.
class FullPictureView : public QDialog {
    Q_OBJECT
public:
    // Initial size before maximising, in dialog units.
    static constexpr int kWidthDialogUnits = 482;
    static constexpr int kHeightDialogUnits = 372;

    explicit FullPictureView(QWidget* parent = nullptr);

    // Control 1042, the display target while the view shows.
    PictureArea& Picture() { return *picture_; }
    // Tells whether a popup item carries a check mark.
    void SetCheckMarks(std::function<bool(int commandId)> isChecked);

    // Shows the view maximised and modal; returns when it is closed.
    void Run();
    // Popup 184 with the current check marks; each item emits CommandChosen.
    std::unique_ptr<QMenu> CreatePopupMenu();

signals:
    void CommandChosen(int commandId);

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void ShowPopupMenu(QPoint globalPosition);

    PictureArea* picture_;
    std::function<bool(int)> isChecked_;
};
