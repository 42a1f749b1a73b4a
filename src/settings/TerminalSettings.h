#pragma once

#include "settings/Setting.h"

#include <QString>

#include <array>
#include <atomic>
#include <cstdint>
#include <mutex>

// The in-memory copy of every setting and of the values derived from them.
// The window's thread writes it; capture, receive and recording threads read
// it while it changes, so numbers are atomic and texts are kept under a lock
// and handed out as copies.
class TerminalSettings {
public:
    TerminalSettings();
    TerminalSettings(const TerminalSettings&) = delete;
    TerminalSettings& operator=(const TerminalSettings&) = delete;

    // Raw text of a key as last loaded or stored (the default before the load;
    // empty for the two folders and for connectport/codestyle).
    QString Text(Setting setting) const;
    void SetText(Setting setting, const QString& value);

    // A yes/no flag is on only when its text equals the key's word for on
    // exactly ("Y" or "YES", case-sensitive). False for keys that are no flag.
    bool IsOn(Setting setting) const;

    // Named texts used across the program.
    QString partnerAddress() const { return Text(Setting::Ip); }
    void SetPartnerAddress(const QString& address) { SetText(Setting::Ip, address); }
    QString servicePort() const { return Text(Setting::Rport); }
    void SetServicePort(const QString& port) { SetText(Setting::Rport, port); }
    QString contactName() const { return Text(Setting::Contact); }
    void SetContactName(const QString& name) { SetText(Setting::Contact, name); }
    QString captionFontName() const { return Text(Setting::Font); }
    void SetCaptionFontName(const QString& face) { SetText(Setting::Font, face); }
    QString captionText() const { return Text(Setting::Text); }
    QString photoFolder() const { return Text(Setting::CameraPath); }
    QString recordFolder() const { return Text(Setting::RecordPath); }

    // The terminal's own first address; not a key of system.ini.
    QString localAddress() const;
    void SetLocalAddress(const QString& address);

    // Inset height (width) that keeps the frame's aspect for an inset width
    // (height), computed in floating point and truncated toward zero.
    int InsetHeightFor(int insetWidth) const;
    int InsetWidthFor(int insetHeight) const;

    // The one frame size of the run, from localvideosize at load.
    std::atomic<int> videoWidth{352};
    std::atomic<int> videoHeight{288};
    std::atomic<int> screenWidth{1024};
    std::atomic<int> screenHeight{768};
    // Red in the low byte, then green, then blue.
    std::atomic<uint32_t> captionColour{255};
    std::atomic<int> captionPositionCode{33};
    std::atomic<int> pipX{0};
    std::atomic<int> pipY{0};
    std::atomic<int> pipWidth{160};
    std::atomic<int> pipHeight{120};
    // Position of the chosen camera in the device list (deviceid).
    std::atomic<int> deviceIndex{0};
    // Audio sampling rate in Hz for the whole run (audiocapfre at load).
    std::atomic<int> sampleRate{8000};
    // Numbers that take effect at once when stored.
    std::atomic<int> maudio{1};
    std::atomic<int> rspeedMs{50};
    std::atomic<int> framenum{15};
    std::atomic<int> fontsize{24};

private:
    mutable std::mutex textMutex_;
    std::array<QString, kSettingCount> texts_;
    QString localAddress_;
};
