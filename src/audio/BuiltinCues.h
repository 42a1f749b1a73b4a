#pragma once

#include "audio/CueSound.h"

// Sounds of our own making, played when "call.wav" or "camera.wav" is
// missing: a telephone ring and a camera shutter click.
CueSound MakeRingTone();
CueSound MakeShutterClick();
