#include "reactions/sound_engine.h"

#include "model/clock.h"
#include "model/random_source.h"
#include "reactions/sound_clip_files.h"

#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <algorithm>
#include <cmath>

SoundEngine::SoundEngine(AudioBackEnd& backEnd, Clock& clock, RandomSource& random, SoundLocations locations)
    : m_backEnd(backEnd), m_clock(clock), m_random(random), m_locations(std::move(locations)) {}

void SoundEngine::preload() {
    // A folder that cannot be created simply yields no clips.
    if (!m_locations.customFolder.isEmpty())
        QDir().mkpath(m_locations.customFolder);

    m_players.clear();
    for (SoundEffect effect : SoundEffects::allCases()) {
        std::vector<PooledClip> pool = loadClips(effect);
        if (!pool.empty())
            m_players[effect] = std::move(pool);
    }
}

std::vector<SoundEngine::PooledClip> SoundEngine::loadClips(SoundEffect effect) {
    const QString prefix = SoundClipFiles::prefix(effect);
    QStringList candidates = SoundClipFiles::clipsIn(m_locations.customFolder, prefix);
    for (const QString& folder : m_locations.builtInFolders)
        candidates += SoundClipFiles::clipsIn(folder, prefix);

    // The first file of a name wins, so a custom clip takes the place of the built-in one it is named after.
    QSet<QString> seenNames;
    std::vector<PooledClip> pool;
    for (const QString& path : std::as_const(candidates)) {
        const QString name = QFileInfo(path).fileName();
        if (seenNames.contains(name))
            continue;
        seenNames.insert(name);
        if (std::unique_ptr<AudioClip> clip = m_backEnd.openClip(path))
            pool.push_back(PooledClip{path, std::move(clip)});
    }
    return pool;
}

void SoundEngine::play(SoundEffect effect, double intensity) {
    if (m_isMuted)
        return;

    const QDateTime now = m_clock.now();
    const auto last = m_lastPlayedAt.find(effect);
    if (last != m_lastPlayedAt.end()) {
        const qint64 elapsed = last->second.msecsTo(now);
        // A wall clock set back must not silence the effect until it catches up again.
        if (elapsed >= 0 && elapsed < minimumGapMs)
            return;
    }
    // Recorded before the pool is consulted: a request answered by the alert sound counts too.
    m_lastPlayedAt[effect] = now;

    const auto pool = m_players.find(effect);
    if (pool == m_players.end() || pool->second.empty()) {
        playFallback(effect);
        return;
    }
    PooledClip& chosen = pool->second[size_t(m_random.index(qsizetype(pool->second.size())))];
    const double volume =
        std::isnan(intensity) ? maximumVolume : std::clamp(intensity, minimumVolume, maximumVolume);
    chosen.clip->setVolume(volume);
    chosen.clip->playFromStart();
}

void SoundEngine::playFallback(SoundEffect effect) {
    if (m_locations.alertSoundFolder.isEmpty())
        return;
    const QString path =
        QDir(m_locations.alertSoundFolder).filePath(SoundClipFiles::alertSoundFileName(effect));
    const QFileInfo file(path);
    if (!file.isFile() || !file.isReadable())
        return;
    m_backEnd.playOnce(path, fallbackVolume);
}

QStringList SoundEngine::poolFiles(SoundEffect effect) const {
    QStringList paths;
    const auto pool = m_players.find(effect);
    if (pool != m_players.end()) {
        for (const PooledClip& pooled : pool->second)
            paths.append(pooled.path);
    }
    return paths;
}
