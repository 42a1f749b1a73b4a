#include "video/OverlayText.h"

TimeOfDaySource SystemTimeOfDay() {
    return [] { return QTime::currentTime(); };
}

QString FormatTimeOfDay(const QTime& time) {
    return QString::asprintf("%02d:%02d:%02d", time.hour(), time.minute(), time.second());
}

QString OverlayText(const CaptionSettings& settings, const QTime& now) {
    if (!settings.timeOn) return settings.text;
    return settings.text + QStringLiteral("    ") + FormatTimeOfDay(now) + QLatin1Char(' ');
}
