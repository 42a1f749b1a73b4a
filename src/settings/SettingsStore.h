#pragma once

#include "settings/Setting.h"

#include <QString>

class TerminalSettings;

// The one place that names system.ini, its sections, keys and defaults. Reads
// go to the file each time (a hand edit between two reads shows); every write
// goes to the file at once and changes only its own key.
class SettingsStore {
public:
    // The file resolves against the working directory, not the program folder.
    static inline const QString kDefaultIniPath = QStringLiteral(".//system.ini");
    // Values longer than this many GBK bytes are cut on reading.
    static constexpr int kMaxValueBytes = 259;

    // programFolder empty = the folder of the running executable.
    explicit SettingsStore(TerminalSettings& settings, QString iniPath = kDefaultIniPath,
                           QString programFolder = {});

    // Reads every key in the fixed order with its default, derives the frame
    // size, caption colour and position code and inset height, and creates the
    // two default folders. The screen size comes from the caller.
    void LoadAll(int screenWidth, int screenHeight);

    // Windows profile semantics on a GBK file of the caller's choice: section
    // and key names are case-insensitive, a missing file, section or key gives
    // fallback, a value is cut to kMaxValueBytes. A write creates what is
    // missing and keeps every other line of the file as it was; false when
    // the file could not be written.
    static QString ReadString(const QString& file, const QString& section, const QString& key,
                              const QString& fallback);
    static bool WriteString(const QString& file, const QString& section, const QString& key,
                            const QString& value);

    // system.ini with the key's default (the same defaults as LoadAll, except
    // that deviceid defaults to "0").
    QString Read(Setting setting) const;
    // Writes the key to system.ini only; the in-memory value stays.
    bool Write(Setting setting, const QString& value);
    // Changes the in-memory text and the values that follow it at once
    // (deviceIndex, maudio, rspeedMs, framenum, fontsize, captionFontName,
    // captionColour, captionPositionCode, pipX, pipY, pipWidth with pipHeight).
    // Frame size and sample rate follow only LoadAll.
    void Store(Setting setting, const QString& value);
    // Write, then Store even when the write failed.
    bool WriteAndStore(Setting setting, const QString& value);
    // Read, then Store: a page that opens takes the file's current text.
    QString Reload(Setting setting);

    QString DefaultOf(Setting setting) const;
    QString DefaultPhotoFolder() const;
    QString DefaultRecordFolder() const;
    // Creates the two default folders (one level) when missing; failures are
    // ignored.
    void CreateDefaultFolders() const;

    const QString& IniPath() const { return iniPath_; }
    TerminalSettings& Settings() const { return settings_; }

    // Decimal text to int: optional blanks and sign, then digits up to the
    // first non-digit; text that is no number reads as 0. Clamped to int.
    static int ToInt(QStringView text);

private:
    // A read value as the 260-byte buffer of the profile calls holds it.
    static QString CutValue(const QString& value);
    void DeriveFrameSize();
    void DeriveSampleRate();
    void DeriveCaptionColour();
    void DeriveCaptionPositionCode();
    void DeriveInsetHeight();

    TerminalSettings& settings_;
    QString iniPath_;
    QString programFolder_;
};
