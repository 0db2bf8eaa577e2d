#include "model/sound_effect.h"

#include <array>

namespace {

struct SoundEffectInfo {
    SoundEffect effect;
    const char* raw;
    const char* title;
    const char* subtitle;
};

constexpr std::array<SoundEffectInfo, 8> kInfo = {{
    {SoundEffect::moan, "moan", "Show me the money!", "Jerry Maguire energy"},
    {SoundEffect::scream, "scream", "Noooo!", "Darth Vader / dramatic no"},
    {SoundEffect::chaChing, "chaChing", "Cha-ching / We're rich", "Wolf of Wall Street vibes"},
    {SoundEffect::rocketWhoosh, "rocketWhoosh", "To the moon!", "Get to the choppa!"},
    {SoundEffect::sadTrombone, "sadTrombone", "Womp womp", "Curb your enthusiasm"},
    {SoundEffect::applause, "applause", "Let's go!", "Hype / celebration"},
    {SoundEffect::airhorn, "airhorn", "Bruh / Airhorn", "Distorted meme horn"},
    {SoundEffect::whisper, "whisper", "Psst... bag secured", "Secret bag alert"},
}};

const SoundEffectInfo& info(SoundEffect effect) {
    return kInfo[static_cast<size_t>(effect)];
}

} // namespace

namespace SoundEffects {

const QList<SoundEffect>& allCases() {
    static const QList<SoundEffect> cases = [] {
        QList<SoundEffect> all;
        for (const auto& i : kInfo)
            all.append(i.effect);
        return all;
    }();
    return cases;
}

QString rawValue(SoundEffect effect) {
    return QString::fromLatin1(info(effect).raw);
}

std::optional<SoundEffect> fromRawValue(const QString& raw) {
    for (const auto& i : kInfo) {
        if (raw == QLatin1String(i.raw))
            return i.effect;
    }
    return std::nullopt;
}

QString title(SoundEffect effect) {
    return QString::fromUtf8(info(effect).title);
}

QString subtitle(SoundEffect effect) {
    return QString::fromUtf8(info(effect).subtitle);
}

} // namespace SoundEffects
