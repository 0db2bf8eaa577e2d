#include "reactions/qt_audio_clip.h"

#include <QFileInfo>
#include <QUrl>

QtAudioClip::QtAudioClip(std::unique_ptr<QMediaPlayer> player, std::unique_ptr<QAudioOutput> output)
    : m_output(std::move(output)), m_player(std::move(player)) {
    m_player->setAudioOutput(m_output.get());
}

QtAudioClip::~QtAudioClip() {
    // The player must let go of the output before the output is destroyed.
    m_player->stop();
    m_player->setAudioOutput(nullptr);
}

void QtAudioClip::setVolume(double volume) {
    m_output->setVolume(float(volume));
}

void QtAudioClip::playFromStart() {
    // A seek back on a pipeline that has played now and then stalls the stream for good a few hundred
    // milliseconds later (GStreamer, seen under load); a freshly loaded pipeline does not. So a clip that has
    // played is reloaded, unless its file is gone, in which case the seek is all that is left.
    const bool fresh = m_player->playbackState() == QMediaPlayer::StoppedState &&
                       m_player->mediaStatus() == QMediaPlayer::LoadedMedia && m_player->position() == 0;
    const QUrl source = m_player->source();
    if (!fresh && QFileInfo(source.toLocalFile()).isFile()) {
        m_player->setSource(QUrl());
        m_player->setSource(source);
    } else {
        m_player->setPosition(0);
    }
    m_player->play();
}
