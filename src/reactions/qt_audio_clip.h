#pragma once

#include "reactions/audio_clip.h"

#include <QAudioOutput>
#include <QMediaPlayer>
#include <chrono>

// A clip played by Qt Multimedia: one prepared QMediaPlayer with its own output.
class QtAudioClip final : public AudioClip {
public:
    // `player` has its source set and its media loaded.
    QtAudioClip(std::unique_ptr<QMediaPlayer> player, std::unique_ptr<QAudioOutput> output);
    ~QtAudioClip() override;

    void setVolume(double volume) override;
    void playFromStart() override;

    std::chrono::milliseconds duration() const { return std::chrono::milliseconds(m_player->duration()); }
    QMediaPlayer* player() const { return m_player.get(); }

private:
    std::unique_ptr<QAudioOutput> m_output;
    std::unique_ptr<QMediaPlayer> m_player;
};
