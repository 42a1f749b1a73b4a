#pragma once

#include <QString>

// Plays the ring of an incoming call without blocking the window's thread.
class Ringer {
public:
    virtual ~Ringer() = default;
    // Starts playing the sound file once; returns at once.
    virtual void StartRinging(const QString& soundFile) = 0;
    virtual void StopRinging() = 0;
};
