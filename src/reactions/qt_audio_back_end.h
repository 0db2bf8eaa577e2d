#pragma once

#include "reactions/audio_back_end.h"

#include <QObject>
#include <chrono>

class QtAudioClip;

// Audio through Qt Multimedia's QMediaPlayer + QAudioOutput (GStreamer back end). QSoundEffect is not
// used: without an audio device it never leaves the playing state.
class QtAudioBackEnd final : public QObject, public AudioBackEnd {
    Q_OBJECT
public:
    // `loadTimeout` bounds how long opening one clip may wait for the decoder.
    explicit QtAudioBackEnd(std::chrono::milliseconds loadTimeout = std::chrono::seconds(5),
                            QObject* parent = nullptr);

    std::unique_ptr<AudioClip> openClip(const QString& path) override;
    void playOnce(const QString& path, double volume) override;

    // Whether the platform reports any audio output. Without one, every player only prints warnings.
    static bool hasAudioOutput();

    // openClip() with the concrete type, for callers that want the player itself.
    std::unique_ptr<QtAudioClip> openQtClip(const QString& path);

Q_SIGNALS:
    // A playOnce() sound ended (or failed: `failed`) and its player is gone.
    void oneOffFinished(const QString& path, bool failed);

private:
    std::chrono::milliseconds m_loadTimeout;
};
