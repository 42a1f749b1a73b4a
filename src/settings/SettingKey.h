#pragma once

#include "settings/Setting.h"

#include <QString>

// Where a setting lives in system.ini, its default text and, for a yes/no
// flag, the exact word that means on (empty for other keys).
struct SettingKey {
    const char* section;
    const char* key;
    // UTF-8. Empty for the two folders, whose default depends on the program
    // folder (SettingsStore::DefaultOf).
    const char* fallback;
    const char* onWord;

    // The entry of the table for setting.
    static const SettingKey& Of(Setting setting);

    QString Section() const { return QString::fromUtf8(section); }
    QString Key() const { return QString::fromUtf8(key); }
    QString Fallback() const { return QString::fromUtf8(fallback); }
};
