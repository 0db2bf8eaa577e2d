#pragma once

#include "reactions/audio_back_end.h"

#include <QList>
#include <QSet>
#include <QString>
#include <QStringList>

// Audio without a sound card: opening succeeds for every existing file except the names marked
// undecodable, and every playback is recorded instead of heard.
class FakeAudioBackEnd final : public AudioBackEnd {
public:
    struct Playback {
        QString path;
        double volume;
        bool oneOff; // true for playOnce(), false for a pooled clip
        bool operator==(const Playback&) const = default;
    };

    std::unique_ptr<AudioClip> openClip(const QString& path) override;
    void playOnce(const QString& path, double volume) override;

    // Files with this exact name fail to open, as a corrupt or unsupported file would.
    void markUndecodable(const QString& fileName) { m_undecodable.insert(fileName); }

    // Every path passed to openClip(), successful or not, in call order.
    const QStringList& openRequests() const { return m_openRequests; }
    const QList<Playback>& playbacks() const { return m_playbacks; }
    QStringList playedFileNames() const;
    void clearPlaybacks() { m_playbacks.clear(); }

private:
    friend class FakeAudioClip;
    QSet<QString> m_undecodable;
    QStringList m_openRequests;
    QList<Playback> m_playbacks;
};
