#include "settings/SettingsStore.h"

#include "settings/GbkCodec.h"
#include "settings/ProfileFile.h"
#include "settings/SettingKey.h"
#include "settings/TerminalSettings.h"

#include <QDir>
#include <QFileInfo>

#include <array>
#include <limits>

namespace {

struct FrameSize {
    const char* name;
    int width;
    int height;
};

constexpr std::array<FrameSize, 6> kFrameSizes{{
    {"QCIF", 176, 144},
    {"VCD", 320, 240},
    {"CIF", 352, 288},
    {"DVD", 640, 480},
    {"720P", 1280, 720},
    {"1080P", 1920, 1080},
}};

struct CaptionPlace {
    const char* vertical;
    const char* horizontal;
    int code;
};

constexpr std::array<CaptionPlace, 6> kCaptionPlaces{{
    {"顶端", "左侧", 32},
    {"顶端", "居中", 33},
    {"顶端", "右侧", 34},
    {"底端", "左侧", 40},
    {"底端", "居中", 41},
    {"底端", "右侧", 42},
}};

// The load's default for deviceid; it reads as 0 like the pages' "0".
const QString kLoadDeviceIdFallback = QStringLiteral("DSHOW");

QString FolderOfRunningExecutable() {
    return QFileInfo(QFileInfo(QStringLiteral("/proc/self/exe")).symLinkTarget()).absolutePath();
}

bool IsAsciiSpace(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n' || c == u'\v' || c == u'\f' || c == u'\r';
}

}  // namespace

SettingsStore::SettingsStore(TerminalSettings& settings, QString iniPath, QString programFolder)
    : settings_(settings),
      iniPath_(std::move(iniPath)),
      programFolder_(programFolder.isEmpty() ? FolderOfRunningExecutable()
                                             : std::move(programFolder)) {
    while (programFolder_.size() > 1 && programFolder_.endsWith(u'/')) programFolder_.chop(1);
}

void SettingsStore::LoadAll(int screenWidth, int screenHeight) {
    CreateDefaultFolders();
    // One reading of the file serves every key of the load.
    const ProfileFile file(iniPath_);
    for (std::size_t index = 0; index < kSettingCount; ++index) {
        const auto setting = static_cast<Setting>(index);
        if (setting == Setting::ConnectPort || setting == Setting::CodeStyle) continue;
        const SettingKey& key = SettingKey::Of(setting);
        const QString fallback =
            setting == Setting::DeviceId ? kLoadDeviceIdFallback : DefaultOf(setting);
        Store(setting, CutValue(file.Value(key.Section(), key.Key()).value_or(fallback)));
    }
    DeriveFrameSize();
    DeriveSampleRate();
    DeriveInsetHeight();
    settings_.screenWidth = screenWidth;
    settings_.screenHeight = screenHeight;
}

QString SettingsStore::ReadString(const QString& file, const QString& section, const QString& key,
                                  const QString& fallback) {
    return CutValue(ProfileFile(file).Value(section, key).value_or(fallback));
}

QString SettingsStore::CutValue(const QString& value) {
    const QByteArray gbk = GbkCodec::Encode(value);
    if (gbk.size() <= kMaxValueBytes) return value;
    return GbkCodec::Decode(GbkCodec::CutToBytes(gbk, kMaxValueBytes));
}

bool SettingsStore::WriteString(const QString& file, const QString& section, const QString& key,
                                const QString& value) {
    return ProfileFile(file).Write(section, key, value);
}

QString SettingsStore::Read(Setting setting) const {
    const SettingKey& key = SettingKey::Of(setting);
    return ReadString(iniPath_, key.Section(), key.Key(), DefaultOf(setting));
}

bool SettingsStore::Write(Setting setting, const QString& value) {
    const SettingKey& key = SettingKey::Of(setting);
    return WriteString(iniPath_, key.Section(), key.Key(), value);
}

void SettingsStore::Store(Setting setting, const QString& value) {
    settings_.SetText(setting, value);
    switch (setting) {
        case Setting::DeviceId:
            settings_.deviceIndex = ToInt(value);
            break;
        case Setting::Maudio:
            settings_.maudio = ToInt(value);
            break;
        case Setting::Rspeed:
            settings_.rspeedMs = ToInt(value);
            break;
        case Setting::FrameNum:
            settings_.framenum = ToInt(value);
            break;
        case Setting::FontSize:
            settings_.fontsize = ToInt(value);
            break;
        case Setting::Red:
        case Setting::Green:
        case Setting::Blue:
            DeriveCaptionColour();
            break;
        case Setting::TopBottom:
        case Setting::TextPosition:
            DeriveCaptionPositionCode();
            break;
        case Setting::VideoX:
            settings_.pipX = ToInt(value);
            break;
        case Setting::VideoY:
            settings_.pipY = ToInt(value);
            break;
        case Setting::VideoW:
            settings_.pipWidth = ToInt(value);
            DeriveInsetHeight();
            break;
        default:
            break;
    }
}

bool SettingsStore::WriteAndStore(Setting setting, const QString& value) {
    const bool written = Write(setting, value);
    Store(setting, value);
    return written;
}

QString SettingsStore::Reload(Setting setting) {
    const QString value = Read(setting);
    Store(setting, value);
    return value;
}

QString SettingsStore::DefaultOf(Setting setting) const {
    if (setting == Setting::CameraPath) return DefaultPhotoFolder();
    if (setting == Setting::RecordPath) return DefaultRecordFolder();
    return SettingKey::Of(setting).Fallback();
}

QString SettingsStore::DefaultPhotoFolder() const {
    return programFolder_ + QStringLiteral("/vantorphoto");
}

QString SettingsStore::DefaultRecordFolder() const {
    return programFolder_ + QStringLiteral("/vantorrecord");
}

void SettingsStore::CreateDefaultFolders() const {
    for (const QString& folder : {DefaultPhotoFolder(), DefaultRecordFolder()}) {
        if (!QFileInfo(folder).isDir()) QDir().mkdir(folder);
    }
}

int SettingsStore::ToInt(QStringView text) {
    qsizetype at = 0;
    while (at < text.size() && IsAsciiSpace(text[at])) ++at;
    bool negative = false;
    if (at < text.size() && (text[at] == u'-' || text[at] == u'+')) negative = text[at++] == u'-';
    constexpr long long kLimit = static_cast<long long>(std::numeric_limits<int>::max()) + 1;
    long long magnitude = 0;
    for (; at < text.size() && text[at] >= u'0' && text[at] <= u'9'; ++at) {
        magnitude = std::min(kLimit, magnitude * 10 + (text[at].unicode() - u'0'));
    }
    const long long value = negative ? -magnitude : std::min(magnitude, kLimit - 1);
    return static_cast<int>(value);
}

void SettingsStore::DeriveFrameSize() {
    const QString name = settings_.Text(Setting::LocalVideoSize);
    for (const FrameSize& size : kFrameSizes) {
        if (name != QLatin1String(size.name)) continue;
        settings_.videoWidth = size.width;
        settings_.videoHeight = size.height;
    }
}

void SettingsStore::DeriveSampleRate() {
    settings_.sampleRate = ToInt(settings_.Text(Setting::AudioCapFre));
}

void SettingsStore::DeriveCaptionColour() {
    const auto component = [this](Setting setting) {
        return static_cast<uint32_t>(ToInt(settings_.Text(setting))) & 0xFFu;
    };
    settings_.captionColour =
        component(Setting::Red) | component(Setting::Green) << 8 | component(Setting::Blue) << 16;
}

void SettingsStore::DeriveCaptionPositionCode() {
    const QString vertical = settings_.Text(Setting::TopBottom);
    const QString horizontal = settings_.Text(Setting::TextPosition);
    for (const CaptionPlace& place : kCaptionPlaces) {
        if (vertical == QString::fromUtf8(place.vertical) &&
            horizontal == QString::fromUtf8(place.horizontal))
            settings_.captionPositionCode = place.code;
    }
}

void SettingsStore::DeriveInsetHeight() {
    settings_.pipHeight = settings_.InsetHeightFor(settings_.pipWidth);
}
