#include "app/screens/reaction/goal_reaction_presets.h"

namespace GoalReactionPresets {

QList<ReactionPreset> presets(MetricKind metric) {
    if (MetricKinds::isCurrency(metric))
        return {
            ReactionPreset::fromUtf8("Bag", "\U0001F911", SoundEffect::moan, "Show me the money!"),
            ReactionPreset::fromUtf8("Moon", "\U0001F680", SoundEffect::rocketWhoosh, "To the moon!"),
            ReactionPreset::fromUtf8("Rich", "\U0001F4B0", SoundEffect::chaChing, "We're rich!"),
            ReactionPreset::fromUtf8("Goat", "\U0001F410", SoundEffect::applause, "Absolute unit!"),
        };
    switch (metric) {
    case MetricKind::ctr:
    case MetricKind::usersGrowth:
        return {
            ReactionPreset::fromUtf8("Up", "\U0001F4C8", SoundEffect::applause, "Numbers climbing!"),
            ReactionPreset::fromUtf8("Fire", "\U0001F525", SoundEffect::airhorn, "Heating up!"),
            ReactionPreset::fromUtf8("Eyes", "\U0001F440", SoundEffect::whisper, "They're watching"),
            ReactionPreset::fromUtf8("Win", "\U0001F3C6", SoundEffect::chaChing, "Goal crushed!"),
        };
    case MetricKind::avgPosition:
        return {
            ReactionPreset::fromUtf8("Rank", "\U0001F50D", SoundEffect::applause, "Google noticed!"),
            ReactionPreset::fromUtf8("Glow", "\u2728", SoundEffect::chaChing, "Search glow up!"),
            ReactionPreset::fromUtf8("Top", "\U0001F451", SoundEffect::rocketWhoosh, "Page one vibes!"),
            ReactionPreset::fromUtf8("SEO", "\U0001F4C8", SoundEffect::airhorn, "SEO win!"),
        };
    default:
        return {
            ReactionPreset::fromUtf8("Party", "\U0001F389", SoundEffect::applause, "Goal crushed!"),
            ReactionPreset::fromUtf8("Fire", "\U0001F525", SoundEffect::airhorn, "We did it!"),
            ReactionPreset::fromUtf8("Flex", "\U0001F4AA", SoundEffect::moan, "Let's go!"),
            ReactionPreset::fromUtf8("100", "\U0001F4AF", SoundEffect::chaChing, "Target hit!"),
        };
    }
}

} // namespace GoalReactionPresets
