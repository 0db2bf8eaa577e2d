#include "reactions/audio_signature.h"

#include <gtest/gtest.h>

namespace {

struct Case {
    const char* name;
    QByteArray head;
    bool audio;
};

QByteArray bytes(std::initializer_list<int> values) {
    QByteArray result;
    for (int value : values)
        result.append(char(value));
    return result;
}

TEST(AudioSignatureTest, TellsAudioContainersFromOtherFiles) {
    const Case cases[] = {
        {"Ogg (Vorbis, Opus)", QByteArray("OggS\0\2\0\0", 8), true},
        {"WAVE", QByteArray("RIFF\x24\0\0\0WAVEfmt ", 16), true},
        {"RIFF that is not WAVE (AVI)", QByteArray("RIFF\x24\0\0\0AVI LIST", 16), false},
        {"RIFF cut before its form type", QByteArray("RIFF\x24\0", 6), false},
        {"MP3 with an ID3 tag", QByteArray("ID3\4\0\0\0\0", 8), true},
        {"MP3 frame, layer III", bytes({0xff, 0xfb, 0x90, 0x64}), true},
        {"MPEG sync with the reserved layer", bytes({0xff, 0xf9, 0x90, 0x64}), false},
        {"one 0xff byte", bytes({0xff}), false},
        {"MPEG-4 audio (m4a)",
         QByteArray("\0\0\0\x20"
                    "ftypM4A ",
                    12),
         true},
        {"AIFF",
         QByteArray("FORM\0\0\0\x40"
                    "AIFF",
                    12),
         true},
        {"AIFF-C",
         QByteArray("FORM\0\0\0\x40"
                    "AIFC",
                    12),
         true},
        {"IFF that is not AIFF",
         QByteArray("FORM\0\0\0\x40"
                    "ILBM",
                    12),
         false},
        {"Core Audio", QByteArray("caff\0\1\0\0", 8), true},
        {"FLAC", QByteArray("fLaC\0\0\0\x22", 8), true},
        {"text", QByteArray("this is not audio at all\n"), false},
        {"PNG", bytes({0x89, 'P', 'N', 'G', 0x0d, 0x0a, 0x1a, 0x0a}), false},
        {"empty", QByteArray(), false},
        {"tag name in the wrong place", QByteArray("xOggS"), false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AudioSignature::looksLikeAudio(c.head), c.audio) << c.name;
}

TEST(AudioSignatureTest, HeaderSizeCoversEveryTagItReads) {
    // The longest check reads the form type at bytes 8 to 11.
    const QByteArray aiff("FORM\0\0\0\x40"
                          "AIFF",
                          12);
    EXPECT_TRUE(AudioSignature::looksLikeAudio(aiff.left(AudioSignature::headerSize)));
}

} // namespace
