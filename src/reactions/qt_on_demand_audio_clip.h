#pragma once

#include "reactions/audio_clip.h"

#include <QByteArray>
#include <QObject>
#include <QPointer>
#include <QString>

#include <QAudioOutput>
#include <QMediaPlayer>

// A clip kept as its file's bytes, with a player only while it sounds. A prepared player per clip holds a
// decoding pipeline and its threads for the program's whole life (about 1.3 MiB and four threads each with
// GStreamer); this pays a fresh pipeline per playback instead, which is what replaying a clip costs anyway.
class QtOnDemandAudioClip final : public QObject, public AudioClip {
    Q_OBJECT
public:
    // `bytes` empty: played from `path` (files too large to keep in memory).
    QtOnDemandAudioClip(QString path, QByteArray bytes, QObject* parent = nullptr);
    ~QtOnDemandAudioClip() override;

    void setVolume(double volume) override;
    void playFromStart() override;

    // The player of the playback under way; nullptr between playbacks.
    QMediaPlayer* player() const { return m_player; }

Q_SIGNALS:
    // A playback ended (`failed` when it could not be decoded or played) and its player is let go.
    void playbackEnded(bool failed);

private:
    void release();

    QString m_path;
    QByteArray m_bytes;
    float m_volume = 1.0f;
    // Owns the player, its output and the buffer it reads; deleted as one.
    QPointer<QObject> m_playback;
    QPointer<QMediaPlayer> m_player;
    QPointer<QAudioOutput> m_output;
};
