#include "reactions/qt_audio_clip.h"

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
    m_player->setPosition(0);
    m_player->play();
}
