#include "app/PictureArea.h"

#include <QMouseEvent>
#include <QPainter>
#include <QThread>

PictureArea::PictureArea(QWidget* parent) : QWidget(parent) {
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PictureArea::SetIdlePicture(const QImage& picture) {
    idlePicture_ = picture;
    update();
}

void PictureArea::ShowFrame(const QImage& frame) {
    if (frame.isNull()) return;
    const std::lock_guard lock(handOverMutex_);
    handedOverFrame_ = frame;
    idleRequested_ = false;
    PostTakeOver();
}

void PictureArea::ShowIdlePicture() {
    {
        const std::lock_guard lock(handOverMutex_);
        handedOverFrame_ = QImage();
        idleRequested_ = true;
        if (QThread::currentThread() != thread()) {
            PostTakeOver();
            return;
        }
    }
    TakeHandedOverPicture();
}

// Called with handOverMutex_ held.
void PictureArea::PostTakeOver() {
    if (takeOverPosted_) return;
    takeOverPosted_ = true;
    QMetaObject::invokeMethod(this, &PictureArea::TakeHandedOverPicture, Qt::QueuedConnection);
}

void PictureArea::TakeHandedOverPicture() {
    QImage frame;
    bool idle = false;
    {
        const std::lock_guard lock(handOverMutex_);
        frame = std::move(handedOverFrame_);
        handedOverFrame_ = QImage();
        idle = idleRequested_;
        idleRequested_ = false;
        takeOverPosted_ = false;
    }
    if (!frame.isNull()) {
        frame_ = std::move(frame);
    } else if (idle) {
        frame_ = QImage();
    } else {
        return;
    }
    update();
}

void PictureArea::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    if (frame_.isNull()) {
        if (idlePicture_.isNull()) {
            painter.fillRect(rect(), Qt::black);
        } else {
            painter.drawImage(rect(), idlePicture_);
        }
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), frame_);
}

void PictureArea::mouseDoubleClickEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mouseDoubleClickEvent(event);
        return;
    }
    emit LeftDoubleClicked();
}

void PictureArea::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() != Qt::RightButton) {
        QWidget::mouseReleaseEvent(event);
        return;
    }
    emit RightButtonReleased(event->globalPosition().toPoint());
}
