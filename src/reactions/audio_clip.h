#pragma once

// One decoded, ready-to-play clip owned by the sound engine.
class AudioClip {
public:
    virtual ~AudioClip() = default;
    // 0.0 .. 1.0, applied to the next and the current playback.
    virtual void setVolume(double volume) = 0;
    // Starts at position 0 without blocking; a clip still playing restarts from the beginning.
    virtual void playFromStart() = 0;
};
