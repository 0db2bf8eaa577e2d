#pragma once

#include "reactions/audio_clip.h"

#include <QString>
#include <memory>

// What the sound engine needs from the platform's audio, so its rules can be tested without a sound card.
class AudioBackEnd {
public:
    virtual ~AudioBackEnd() = default;
    // Opens the file and prepares it for playback; nullptr when it cannot be opened or decoded.
    virtual std::unique_ptr<AudioClip> openClip(const QString& path) = 0;
    // Plays a file once at `volume` and forgets it (alert sounds); failures stay silent.
    virtual void playOnce(const QString& path, double volume) = 0;
};
