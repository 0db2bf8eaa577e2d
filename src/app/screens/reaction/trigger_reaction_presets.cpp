#include "app/screens/reaction/trigger_reaction_presets.h"

#include "model/tavik_event_catalog.h"

namespace TriggerReactionPresets {

namespace {
ReactionPreset preset(const char* label, const char* emoji, SoundEffect sound, const char* message) {
    return {QString::fromUtf8(label), {QString::fromUtf8(emoji), sound, QString::fromUtf8(message)}};
}
} // namespace

QList<ReactionPreset> presets(TriggerEventKind event) {
    return presets(TavikEventCatalog::definition(event).reactionContext);
}

QList<ReactionPreset> presets(ReactionContext context) {
    switch (context) {
    case ReactionContext::purchase:
        return {
            preset("Classic", "\U0001F4B0", SoundEffect::chaChing, "Show me the money!"),
            preset("Liftoff", "\U0001F680", SoundEffect::rocketWhoosh, "We have liftoff!"),
            preset("Flex", "\U0001F451", SoundEffect::applause, "Another one!"),
            preset("Bag", "\U0001F911", SoundEffect::moan, "Bag secured"),
        };
    case ReactionContext::refund:
        return {
            preset("Rage", "\U0001F595", SoundEffect::scream, "Noooo!"),
            preset("Sad", "\U0001F62D", SoundEffect::sadTrombone, "Why tho\u2026"),
            preset("Chaos", "\U0001F6A8", SoundEffect::airhorn, "Refund alert!"),
            preset("Ghost", "\U0001F4B8", SoundEffect::whisper, "Money gone\u2026"),
        };
    case ReactionContext::traffic:
        return {
            preset("Hype", "\U0001F4C8", SoundEffect::applause, "Traffic up!"),
            preset("Zoom", "\U0001F680", SoundEffect::rocketWhoosh, "They're here!"),
            preset("Eyes", "\U0001F440", SoundEffect::whisper, "Someone's watching"),
            preset("Fire", "\U0001F525", SoundEffect::airhorn, "Heating up!"),
        };
    case ReactionContext::conversion:
        return {
            preset("Goal", "\U0001F3AF", SoundEffect::applause, "Goal crushed!"),
            preset("Bag", "\U0001F911", SoundEffect::chaChing, "Converted!"),
            preset("Goat", "\U0001F410", SoundEffect::moan, "Absolute unit"),
            preset("Win", "\U0001F3C6", SoundEffect::rocketWhoosh, "We did it!"),
        };
    case ReactionContext::seo:
        return {
            preset("Click", "\U0001F50D", SoundEffect::airhorn, "SEO win!"),
            preset("Rank", "\U0001F4C8", SoundEffect::applause, "Google noticed!"),
            preset("Seen", "\U0001F441", SoundEffect::whisper, "Impression logged"),
            preset("Glow", "\u2728", SoundEffect::chaChing, "Search glow up"),
        };
    case ReactionContext::subscription:
        return {
            preset("Sub", "\U0001F501", SoundEffect::chaChing, "Subscriber!"),
            preset("MRR", "\U0001F4C8", SoundEffect::applause, "MRR goes up!"),
            preset("New", "\U0001F195", SoundEffect::rocketWhoosh, "New sub!"),
            preset("Recur", "\U0001F4B3", SoundEffect::whisper, "Recurring revenue"),
        };
    case ReactionContext::revenue:
        return {
            preset("Money", "\U0001F4B0", SoundEffect::chaChing, "Revenue up!"),
            preset("Bank", "\U0001F3E6", SoundEffect::moan, "Show me the money!"),
            preset("Chart", "\U0001F4C8", SoundEffect::applause, "Numbers climbing!"),
            preset("Flex", "\U0001F911", SoundEffect::rocketWhoosh, "Bag growing!"),
        };
    case ReactionContext::goal:
    case ReactionContext::test:
    case ReactionContext::whale:
    case ReactionContext::dispute:
    case ReactionContext::failed:
        break;
    }
    return {
        preset("Party", "\U0001F389", SoundEffect::applause, "Let's go!"),
        preset("Fire", "\U0001F525", SoundEffect::airhorn, "Something happened!"),
        preset("Zoom", "\U0001F680", SoundEffect::rocketWhoosh, "To the moon!"),
        preset("Cha", "\U0001F4AF", SoundEffect::chaChing, "Nice!"),
    };
}

} // namespace TriggerReactionPresets
