#pragma once

#include <QImage>
#include <QRect>

// The screen at the frame size: scaled smoothly, or unchanged when it
// already has that size.
QImage ScaleDesktopToFrame(const QImage& desktop, int width, int height);

// Where the camera inset lands in a desktop picture of width x height: the
// top-right corner, w/4 - 1 by h/4 - 1 pixels, one pixel in from the top and
// the right edge.
QRect CameraInsetRect(int width, int height);

// Replaces the camera picture (32-bit, top row first) by the scaled screen,
// with the camera picture shrunk into the inset unless it is left out.
void ComposeDesktopPicture(const QImage& scaledDesktop, bool withCameraInset, QImage& localFrame);
