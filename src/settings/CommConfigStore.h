#pragma once

#include <QString>

#include <memory>

class QSettings;

// The serial camera settings, kept as integers under the section
// "CommConfig" of a per-user application profile.
class CommConfigStore {
public:
    enum class Key { Port, Rate, Protocol, SpeedLr, SpeedUd, Camera, Pos };

    // The user's profile of this program.
    CommConfigStore();
    // A profile file of the caller's choice (INI format).
    explicit CommConfigStore(const QString& profilePath);
    ~CommConfigStore();
    CommConfigStore(const CommConfigStore&) = delete;
    CommConfigStore& operator=(const CommConfigStore&) = delete;

    // The stored integer, or the key's default when missing or not a number:
    // port 1, rate 2, protocol 0, speedlr 32, speedud 32, camera 0, pos 1.
    int Read(Key key) const;
    // Stored at once.
    void Write(Key key, int value);

    static int DefaultOf(Key key);

private:
    std::unique_ptr<QSettings> profile_;
};
