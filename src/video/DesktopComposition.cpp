#include "video/DesktopComposition.h"

#include <QPainter>

QImage ScaleDesktopToFrame(const QImage& desktop, int width, int height) {
    if (desktop.width() == width && desktop.height() == height) return desktop;
    return desktop.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

QRect CameraInsetRect(int width, int height) {
    return QRect(width - width / 4, 1, width / 4 - 1, height / 4 - 1);
}

void ComposeDesktopPicture(const QImage& scaledDesktop, bool withCameraInset, QImage& localFrame) {
    const QRect insetRect = CameraInsetRect(localFrame.width(), localFrame.height());
    QImage inset;
    if (withCameraInset && !insetRect.isEmpty()) {
        inset =
            localFrame.scaled(insetRect.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    }
    QPainter painter(&localFrame);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    painter.drawImage(QPoint(0, 0), scaledDesktop);
    if (!inset.isNull()) painter.drawImage(insetRect.topLeft(), inset);
}
