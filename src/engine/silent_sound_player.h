#pragma once

#include "engine/sound_player.h"

// For runs without audio (headless --mute, tests that do not listen).
class SilentSoundPlayer final : public SoundPlayer {
public:
    void play(SoundEffect, double) override {}
};
