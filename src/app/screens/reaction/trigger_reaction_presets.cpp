#include "app/screens/reaction/trigger_reaction_presets.h"

#include "model/tavik_event_catalog.h"

namespace TriggerReactionPresets {

QList<ReactionPreset> presets(TriggerEventKind event) {
    return presets(TavikEventCatalog::definition(event).reactionContext);
}

QList<ReactionPreset> presets(ReactionContext context) {
    switch (context) {
    case ReactionContext::purchase:
        return {
            ReactionPreset::fromUtf8("Classic", "\U0001F4B0", SoundEffect::chaChing, "Show me the money!"),
            ReactionPreset::fromUtf8("Liftoff", "\U0001F680", SoundEffect::rocketWhoosh, "We have liftoff!"),
            ReactionPreset::fromUtf8("Flex", "\U0001F451", SoundEffect::applause, "Another one!"),
            ReactionPreset::fromUtf8("Bag", "\U0001F911", SoundEffect::moan, "Bag secured"),
        };
    case ReactionContext::refund:
        return {
            ReactionPreset::fromUtf8("Rage", "\U0001F595", SoundEffect::scream, "Noooo!"),
            ReactionPreset::fromUtf8("Sad", "\U0001F62D", SoundEffect::sadTrombone, "Why tho\u2026"),
            ReactionPreset::fromUtf8("Chaos", "\U0001F6A8", SoundEffect::airhorn, "Refund alert!"),
            ReactionPreset::fromUtf8("Ghost", "\U0001F4B8", SoundEffect::whisper, "Money gone\u2026"),
        };
    case ReactionContext::traffic:
        return {
            ReactionPreset::fromUtf8("Hype", "\U0001F4C8", SoundEffect::applause, "Traffic up!"),
            ReactionPreset::fromUtf8("Zoom", "\U0001F680", SoundEffect::rocketWhoosh, "They're here!"),
            ReactionPreset::fromUtf8("Eyes", "\U0001F440", SoundEffect::whisper, "Someone's watching"),
            ReactionPreset::fromUtf8("Fire", "\U0001F525", SoundEffect::airhorn, "Heating up!"),
        };
    case ReactionContext::conversion:
        return {
            ReactionPreset::fromUtf8("Goal", "\U0001F3AF", SoundEffect::applause, "Goal crushed!"),
            ReactionPreset::fromUtf8("Bag", "\U0001F911", SoundEffect::chaChing, "Converted!"),
            ReactionPreset::fromUtf8("Goat", "\U0001F410", SoundEffect::moan, "Absolute unit"),
            ReactionPreset::fromUtf8("Win", "\U0001F3C6", SoundEffect::rocketWhoosh, "We did it!"),
        };
    case ReactionContext::seo:
        return {
            ReactionPreset::fromUtf8("Click", "\U0001F50D", SoundEffect::airhorn, "SEO win!"),
            ReactionPreset::fromUtf8("Rank", "\U0001F4C8", SoundEffect::applause, "Google noticed!"),
            ReactionPreset::fromUtf8("Seen", "\U0001F441", SoundEffect::whisper, "Impression logged"),
            ReactionPreset::fromUtf8("Glow", "\u2728", SoundEffect::chaChing, "Search glow up"),
        };
    case ReactionContext::subscription:
        return {
            ReactionPreset::fromUtf8("Sub", "\U0001F501", SoundEffect::chaChing, "Subscriber!"),
            ReactionPreset::fromUtf8("MRR", "\U0001F4C8", SoundEffect::applause, "MRR goes up!"),
            ReactionPreset::fromUtf8("New", "\U0001F195", SoundEffect::rocketWhoosh, "New sub!"),
            ReactionPreset::fromUtf8("Recur", "\U0001F4B3", SoundEffect::whisper, "Recurring revenue"),
        };
    case ReactionContext::revenue:
        return {
            ReactionPreset::fromUtf8("Money", "\U0001F4B0", SoundEffect::chaChing, "Revenue up!"),
            ReactionPreset::fromUtf8("Bank", "\U0001F3E6", SoundEffect::moan, "Show me the money!"),
            ReactionPreset::fromUtf8("Chart", "\U0001F4C8", SoundEffect::applause, "Numbers climbing!"),
            ReactionPreset::fromUtf8("Flex", "\U0001F911", SoundEffect::rocketWhoosh, "Bag growing!"),
        };
    case ReactionContext::goal:
    case ReactionContext::test:
    case ReactionContext::whale:
    case ReactionContext::dispute:
    case ReactionContext::failed:
        break;
    }
    return {
        ReactionPreset::fromUtf8("Party", "\U0001F389", SoundEffect::applause, "Let's go!"),
        ReactionPreset::fromUtf8("Fire", "\U0001F525", SoundEffect::airhorn, "Something happened!"),
        ReactionPreset::fromUtf8("Zoom", "\U0001F680", SoundEffect::rocketWhoosh, "To the moon!"),
        ReactionPreset::fromUtf8("Cha", "\U0001F4AF", SoundEffect::chaChing, "Nice!"),
    };
}

} // namespace TriggerReactionPresets
