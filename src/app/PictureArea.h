#pragma once

#include <QImage>
#include <QWidget>
#include <mutex>

// A picture area of the window: shows its idle picture stretched over the
// whole area, or the latest video frame smoothly scaled to it. Frames come
// from any thread; only the newest one waiting is kept, so a slow window
// never queues up pictures.
class PictureArea : public QWidget {
    Q_OBJECT
public:
    explicit PictureArea(QWidget* parent = nullptr);

    // Window's thread.
    void SetIdlePicture(const QImage& picture);
    // Any thread: the frame is handed to the window's thread.
    void ShowFrame(const QImage& frame);
    // Any thread: back to the idle picture; frames handed over before this
    // call are dropped.
    void ShowIdlePicture();

    // Window's thread.
    bool ShowsIdlePicture() const { return frame_.isNull(); }
    const QImage& CurrentFrame() const { return frame_; }

signals:
    void LeftDoubleClicked();
    void RightButtonReleased(QPoint globalPosition);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    void TakeHandedOverPicture();
    void PostTakeOver();

    QImage idlePicture_;
    QImage frame_;

    std::mutex handOverMutex_;
    QImage handedOverFrame_;
    bool idleRequested_ = false;
    bool takeOverPosted_ = false;
};
