#include "reactions/qt_on_demand_audio_clip.h"

#include <QAudioOutput>
#include <QBuffer>
#include <QMediaPlayer>
#include <QUrl>

QtOnDemandAudioClip::QtOnDemandAudioClip(QString path, QByteArray bytes, QObject* parent)
    : QObject(parent), m_path(std::move(path)), m_bytes(std::move(bytes)) {}

QtOnDemandAudioClip::~QtOnDemandAudioClip() {
    if (!m_playback)
        return;
    m_player->stop();
    m_player->setAudioOutput(nullptr);
    delete m_playback;
}

void QtOnDemandAudioClip::setVolume(double volume) {
    m_volume = float(volume);
    if (m_output)
        m_output->setVolume(m_volume);
}

void QtOnDemandAudioClip::playFromStart() {
    // A fresh pipeline per playback: seeking back on one that has played can stall it (GStreamer, under
    // load).
    release();
    m_playback = new QObject(this);
    m_player = new QMediaPlayer(m_playback);
    m_output = new QAudioOutput(m_playback);
    m_output->setVolume(m_volume);
    m_player->setAudioOutput(m_output);
    QMediaPlayer* player = m_player;
    connect(player, &QMediaPlayer::mediaStatusChanged, this,
            [this, player](QMediaPlayer::MediaStatus status) {
                if (player != m_player)
                    return;
                if (status == QMediaPlayer::EndOfMedia || status == QMediaPlayer::InvalidMedia) {
                    release();
                    Q_EMIT playbackEnded(status == QMediaPlayer::InvalidMedia);
                }
            });
    connect(player, &QMediaPlayer::errorOccurred, this, [this, player] {
        if (player != m_player)
            return;
        release();
        Q_EMIT playbackEnded(true);
    });
    if (m_bytes.isEmpty()) {
        m_player->setSource(QUrl::fromLocalFile(m_path));
    } else {
        // From memory, so a clip plays even when its file went away after start-up.
        auto* buffer = new QBuffer(&m_bytes, m_playback);
        buffer->open(QIODevice::ReadOnly);
        m_player->setSourceDevice(buffer, QUrl::fromLocalFile(m_path));
    }
    m_player->play();
}

void QtOnDemandAudioClip::release() {
    if (!m_playback)
        return;
    m_player->disconnect(this);
    m_player->stop();
    // The player must let go of its output and source before they are destroyed.
    m_player->setAudioOutput(nullptr);
    m_playback->deleteLater();
    m_playback = nullptr;
    m_player = nullptr;
    m_output = nullptr;
}
