#include "app/screens/onboarding/onboarding_try_catalog.h"

namespace OnboardingTryCatalog {

const QList<OnboardingTrySample>& samples() {
    static const QList<OnboardingTrySample> list = {
        {QStringLiteral("goal"), QStringLiteral("Goal crushed"),
         QStringLiteral("$100 revenue today \u2014 your screen loses it"),
         ReactionConfig{QStringLiteral("\U0001F680"), SoundEffect::moan,
                        QStringLiteral("Show me the money!")},
         ReactionContext::goal,
         [](RandomSource&) -> std::optional<ReactionDetails> {
             return ReactionDetails::forGoal(MetricKind::revenueToday, 100, 100);
         }},
        {QStringLiteral("purchase"), QStringLiteral("New purchase"),
         QStringLiteral("Stripe payment lands \u2014 instant celebration"),
         ReactionConfig{QStringLiteral("\U0001F4B0"), SoundEffect::chaChing, QStringLiteral("Bag secured!")},
         ReactionContext::purchase,
         [](RandomSource& random) -> std::optional<ReactionDetails> {
             return ReactionDetails::demoPurchase(random);
         }},
        {QStringLiteral("refund"), QStringLiteral("Refund alert"),
         QStringLiteral("Someone asked for their money back"),
         ReactionConfig{QStringLiteral("\U0001F595"), SoundEffect::scream, QStringLiteral("Noooo!")},
         ReactionContext::refund,
         [](RandomSource& random) -> std::optional<ReactionDetails> {
             return ReactionDetails::demoRefund(random);
         }},
    };
    return list;
}

} // namespace OnboardingTryCatalog
