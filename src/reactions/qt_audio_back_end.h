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

    // Reads the file and checks that it is audio by its first bytes; the decoder is built when the clip
    // plays (a clip whose data is broken past its header is silent then).
    std::unique_ptr<AudioClip> openClip(const QString& path) override;
    void playOnce(const QString& path, double volume) override;

    // Whether the platform reports any audio output. Without one, every player only prints warnings.
    static bool hasAudioOutput();

    // A clip with its player built and its media loaded now, waiting up to `loadTimeout` for the decoder.
    std::unique_ptr<QtAudioClip> openQtClip(const QString& path);

Q_SIGNALS:
    // A playOnce() sound ended (or failed: `failed`) and its player is gone.
    void oneOffFinished(const QString& path, bool failed);

private:
    std::chrono::milliseconds m_loadTimeout;
};
