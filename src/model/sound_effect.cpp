#include "model/sound_effect.h"

#include <array>

namespace {

struct SoundEffectInfo {
    SoundEffect effect;
    const char* title;
    const char* subtitle;
};

constexpr std::array<SoundEffectInfo, 8> kInfo = {{
    {SoundEffect::moan, "Show me the money!", "Jerry Maguire energy"},
    {SoundEffect::scream, "Noooo!", "Darth Vader / dramatic no"},
    {SoundEffect::chaChing, "Cha-ching / We're rich", "Wolf of Wall Street vibes"},
    {SoundEffect::rocketWhoosh, "To the moon!", "Get to the choppa!"},
    {SoundEffect::sadTrombone, "Womp womp", "Curb your enthusiasm"},
    {SoundEffect::applause, "Let's go!", "Hype / celebration"},
    {SoundEffect::airhorn, "Bruh / Airhorn", "Distorted meme horn"},
    {SoundEffect::whisper, "Psst... bag secured", "Secret bag alert"},
}};
static_assert(EnumNames::rowsInDeclarationOrder(kInfo, &SoundEffectInfo::effect));

const SoundEffectInfo& info(SoundEffect effect) {
    return kInfo[static_cast<size_t>(effect)];
}

} // namespace

namespace SoundEffects {

QString title(SoundEffect effect) {
    return QString::fromUtf8(info(effect).title);
}

QString subtitle(SoundEffect effect) {
    return QString::fromUtf8(info(effect).subtitle);
}

} // namespace SoundEffects
