#include "app/screens/reaction/goal_reaction_presets.h"

namespace GoalReactionPresets {

namespace {
ReactionPreset preset(const char* label, const char* emoji, SoundEffect sound, const char* message) {
    return {QString::fromUtf8(label), {QString::fromUtf8(emoji), sound, QString::fromUtf8(message)}};
}
} // namespace

QList<ReactionPreset> presets(MetricKind metric) {
    if (MetricKinds::isCurrency(metric))
        return {
            preset("Bag", "\U0001F911", SoundEffect::moan, "Show me the money!"),
            preset("Moon", "\U0001F680", SoundEffect::rocketWhoosh, "To the moon!"),
            preset("Rich", "\U0001F4B0", SoundEffect::chaChing, "We're rich!"),
            preset("Goat", "\U0001F410", SoundEffect::applause, "Absolute unit!"),
        };
    switch (metric) {
    case MetricKind::ctr:
    case MetricKind::usersGrowth:
        return {
            preset("Up", "\U0001F4C8", SoundEffect::applause, "Numbers climbing!"),
            preset("Fire", "\U0001F525", SoundEffect::airhorn, "Heating up!"),
            preset("Eyes", "\U0001F440", SoundEffect::whisper, "They're watching"),
            preset("Win", "\U0001F3C6", SoundEffect::chaChing, "Goal crushed!"),
        };
    case MetricKind::avgPosition:
        return {
            preset("Rank", "\U0001F50D", SoundEffect::applause, "Google noticed!"),
            preset("Glow", "\u2728", SoundEffect::chaChing, "Search glow up!"),
            preset("Top", "\U0001F451", SoundEffect::rocketWhoosh, "Page one vibes!"),
            preset("SEO", "\U0001F4C8", SoundEffect::airhorn, "SEO win!"),
        };
    default:
        return {
            preset("Party", "\U0001F389", SoundEffect::applause, "Goal crushed!"),
            preset("Fire", "\U0001F525", SoundEffect::airhorn, "We did it!"),
            preset("Flex", "\U0001F4AA", SoundEffect::moan, "Let's go!"),
            preset("100", "\U0001F4AF", SoundEffect::chaChing, "Target hit!"),
        };
    }
}

} // namespace GoalReactionPresets
