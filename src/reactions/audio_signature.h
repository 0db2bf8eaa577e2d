#pragma once

#include <QByteArray>

// Recognises the containers the sound folders may hold (Ogg, WAVE, MP3, MPEG-4 audio, AIFF, CAF, FLAC) by
// their first bytes, so a clip can be accepted at start-up without building a decoder for it.
namespace AudioSignature {

// How many leading bytes `looksLikeAudio` needs at most.
constexpr qsizetype headerSize = 12;

bool looksLikeAudio(const QByteArray& head);

} // namespace AudioSignature
