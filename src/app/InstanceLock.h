#pragma once

#include <QString>

// Keeps one terminal per machine: an exclusive lock on a file, held until the
// object (or the process) goes away. The kernel drops the lock when the
// process ends, so a crashed terminal never blocks the next start.
class InstanceLock {
public:
    static constexpr const char* kLockName = "NoRepeat1";

    explicit InstanceLock(const QString& path);
    ~InstanceLock();
    InstanceLock(const InstanceLock&) = delete;
    InstanceLock& operator=(const InstanceLock&) = delete;

    // $XDG_RUNTIME_DIR/NoRepeat1, else /tmp/NoRepeat1.
    static QString DefaultPath();

    // True when this object holds the lock; false when another process holds
    // it or the file cannot be opened.
    bool Acquired() const { return descriptor_ >= 0; }
    // Another process holds the lock (as opposed to an unusable path).
    bool HeldElsewhere() const { return heldElsewhere_; }

private:
    int descriptor_ = -1;
    bool heldElsewhere_ = false;
};
