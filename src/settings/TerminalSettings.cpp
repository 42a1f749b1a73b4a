#include "settings/TerminalSettings.h"

#include "settings/SettingKey.h"

#include <cmath>
#include <limits>

namespace {

// Keys the program never reads back start empty, as do the two folders
// until the load finds the program folder.
bool StartsEmpty(Setting setting) {
    return setting == Setting::ConnectPort || setting == Setting::CodeStyle ||
           setting == Setting::CameraPath || setting == Setting::RecordPath;
}

int TruncatedScale(double numerator, double denominator, int value) {
    if (denominator == 0) return 0;
    const double scaled = std::trunc(numerator / denominator * value);
    constexpr double kMax = std::numeric_limits<int>::max();
    constexpr double kMin = std::numeric_limits<int>::min();
    if (!(scaled >= kMin)) return 0;
    return static_cast<int>(std::min(scaled, kMax));
}

}  // namespace

TerminalSettings::TerminalSettings() {
    for (std::size_t index = 0; index < kSettingCount; ++index) {
        const auto setting = static_cast<Setting>(index);
        if (!StartsEmpty(setting)) texts_[index] = SettingKey::Of(setting).Fallback();
    }
}

QString TerminalSettings::Text(Setting setting) const {
    std::lock_guard lock(textMutex_);
    return texts_[static_cast<std::size_t>(setting)];
}

void TerminalSettings::SetText(Setting setting, const QString& value) {
    std::lock_guard lock(textMutex_);
    texts_[static_cast<std::size_t>(setting)] = value;
}

bool TerminalSettings::IsOn(Setting setting) const {
    const char* onWord = SettingKey::Of(setting).onWord;
    return *onWord != '\0' && Text(setting) == QLatin1String(onWord);
}

QString TerminalSettings::localAddress() const {
    std::lock_guard lock(textMutex_);
    return localAddress_;
}

void TerminalSettings::SetLocalAddress(const QString& address) {
    std::lock_guard lock(textMutex_);
    localAddress_ = address;
}

int TerminalSettings::InsetHeightFor(int insetWidth) const {
    return TruncatedScale(videoHeight, videoWidth, insetWidth);
}

int TerminalSettings::InsetWidthFor(int insetHeight) const {
    return TruncatedScale(videoWidth, videoHeight, insetHeight);
}
