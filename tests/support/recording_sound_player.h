#pragma once

#include "engine/sound_player.h"

#include <QList>
#include <QPair>

// Remembers every sound the engine asked for, in order.
class RecordingSoundPlayer final : public SoundPlayer {
public:
    void play(SoundEffect effect, double intensity) override { played.append({effect, intensity}); }
    QList<QPair<SoundEffect, double>> played;
};
