#pragma once

#include "engine/sound_player.h"
#include "reactions/audio_back_end.h"
#include "reactions/sound_locations.h"

#include <QDateTime>
#include <QStringList>
#include <map>
#include <memory>
#include <vector>

class Clock;
class RandomSource;

// Plays the meme sound of a reaction: a random clip of the effect's pool (custom clips first, then the
// built-in ones), or the effect's alert sound when the pool is empty. Never reports a failure; every
// problem ends in a quieter outcome. Main thread only.
class SoundEngine final : public SoundPlayer {
public:
    // Two accepted requests of one effect are at least this far apart.
    static constexpr qint64 minimumGapMs = 120;
    static constexpr double fallbackVolume = 0.9;
    static constexpr double minimumVolume = 0.4;
    static constexpr double maximumVolume = 1.0;

    SoundEngine(AudioBackEnd& backEnd, Clock& clock, RandomSource& random, SoundLocations locations);

    // Creates the custom folder and opens every clip. The only place clip files are looked for.
    void preload();
    void play(SoundEffect effect, double intensity) override;

    bool isMuted() const { return m_isMuted; }
    void setMuted(bool muted) { m_isMuted = muted; }

    // The files of the effect's pool, in pool order; empty when the effect falls back to its alert sound.
    QStringList poolFiles(SoundEffect effect) const;
    const SoundLocations& locations() const { return m_locations; }

private:
    struct PooledClip {
        QString path;
        std::unique_ptr<AudioClip> clip;
    };

    std::vector<PooledClip> loadClips(SoundEffect effect);
    void playFallback(SoundEffect effect);

    AudioBackEnd& m_backEnd;
    Clock& m_clock;
    RandomSource& m_random;
    SoundLocations m_locations;
    bool m_isMuted = false;
    std::map<SoundEffect, std::vector<PooledClip>> m_players;
    std::map<SoundEffect, QDateTime> m_lastPlayedAt;
};
