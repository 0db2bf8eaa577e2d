#pragma once

#include "model/sound_effect.h"

// Where the engine sends a reaction's sound. The real player lives with the GUI; muting is its concern.
class SoundPlayer {
public:
    virtual ~SoundPlayer() = default;
    // `intensity` is 0.45 for subtle reactions and 1.0 for celebrations.
    virtual void play(SoundEffect effect, double intensity) = 0;
};
