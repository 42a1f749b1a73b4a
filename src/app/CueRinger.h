#pragma once

#include "audio/CuePlayer.h"
#include "call/Ringer.h"

// Rings an incoming call through the sound-cue player, with our own ring
// tone when the working directory has no such sound file.
class CueRinger : public Ringer {
public:
    explicit CueRinger(CuePlayer& cues) : cues_(cues) {}

    void StartRinging(const QString& soundFile) override {
        cues_.Play(soundFile.toStdString(), CuePlayer::Fallback::RingTone);
    }
    void StopRinging() override { cues_.Stop(); }

private:
    CuePlayer& cues_;
};
