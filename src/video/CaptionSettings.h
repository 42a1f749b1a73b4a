#pragma once

#include <QString>
#include <cstdint>

// How the caption is drawn on the local picture; the caption dialog's values.
struct CaptionSettings {
    bool captionOn = true;
    bool timeOn = false;
    bool transparentBackground = true;
    QString text = QStringLiteral("skyweld");
    QString fontName = QStringLiteral("宋体");
    // Cell height in pixels.
    int fontsize = 24;
    // Red in the low byte, then green, then blue.
    uint32_t captionColour = 0xFFFFFF;
    // 32/33/34 top left/centre/right, 40/41/42 bottom left/centre/right.
    int captionPositionCode = 40;
};
