#pragma once

#include <QString>
#include <QTime>
#include <functional>

#include "video/CaptionSettings.h"

// Where the caption's clock reads the time of day; tests fix it.
using TimeOfDaySource = std::function<QTime()>;
TimeOfDaySource SystemTimeOfDay();

// "hh:mm:ss" with two digits each.
QString FormatTimeOfDay(const QTime& time);

// The text drawn on a frame: the caption alone, or with the time on the
// caption, four spaces, the time and one trailing space.
QString OverlayText(const CaptionSettings& settings, const QTime& now);
