#include "reactions/audio_signature.h"

namespace AudioSignature {

namespace {

bool startsWith(const QByteArray& head, qsizetype at, const char* tag) {
    return head.mid(at).startsWith(tag);
}

// An MPEG audio frame header: eleven sync bits, then a layer other than the reserved 00.
bool isMpegFrame(const QByteArray& head) {
    if (head.size() < 2)
        return false;
    const auto first = quint8(head.at(0));
    const auto second = quint8(head.at(1));
    return first == 0xff && (second & 0xe0) == 0xe0 && (second & 0x06) != 0;
}

} // namespace

bool looksLikeAudio(const QByteArray& head) {
    if (startsWith(head, 0, "OggS") || startsWith(head, 0, "fLaC") || startsWith(head, 0, "caff"))
        return true;
    // ID3 tags open MP3 files and sometimes FLAC ones.
    if (startsWith(head, 0, "ID3"))
        return true;
    if (startsWith(head, 0, "RIFF"))
        return startsWith(head, 8, "WAVE");
    if (startsWith(head, 0, "FORM"))
        return startsWith(head, 8, "AIFF") || startsWith(head, 8, "AIFC");
    if (startsWith(head, 4, "ftyp"))
        return true;
    return isMpegFrame(head);
}

} // namespace AudioSignature
