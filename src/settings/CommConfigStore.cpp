#include "settings/CommConfigStore.h"

#include <QSettings>

#include <array>

namespace {

struct CommKey {
    const char* name;
    int fallback;
};

// In the order of CommConfigStore::Key.
constexpr std::array<CommKey, 7> kCommKeys{{
    {"port", 1},
    {"rate", 2},
    {"protocol", 0},
    {"speedlr", 32},
    {"speedud", 32},
    {"camera", 0},
    {"pos", 1},
}};

const CommKey& Entry(CommConfigStore::Key key) { return kCommKeys[static_cast<std::size_t>(key)]; }

QString ProfileKey(CommConfigStore::Key key) {
    return QStringLiteral("CommConfig/") + QLatin1String(Entry(key).name);
}

}  // namespace

CommConfigStore::CommConfigStore()
    : profile_(std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                           QStringLiteral("videophone"),
                                           QStringLiteral("videophone"))) {}

CommConfigStore::CommConfigStore(const QString& profilePath)
    : profile_(std::make_unique<QSettings>(profilePath, QSettings::IniFormat)) {}

CommConfigStore::~CommConfigStore() = default;

int CommConfigStore::Read(Key key) const {
    bool isNumber = false;
    const int value = profile_->value(ProfileKey(key)).toInt(&isNumber);
    return isNumber ? value : DefaultOf(key);
}

void CommConfigStore::Write(Key key, int value) {
    profile_->setValue(ProfileKey(key), value);
    profile_->sync();
}

int CommConfigStore::DefaultOf(Key key) { return Entry(key).fallback; }
