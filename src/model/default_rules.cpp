#include "model/default_rules.h"

namespace DefaultRules {

QList<Goal> defaultGoals() {
    return {
        Goal{QUuid::createUuid(), QStringLiteral("$100 revenue today"), IntegrationProvider::stripe,
             MetricKind::revenueToday, 100, GoalPeriod::today,
             ReactionConfig{QString::fromUtf8("\U0001F680"), SoundEffect::rocketWhoosh,
                            QStringLiteral("We hit $100!")},
             true, std::nullopt},
        Goal{QUuid::createUuid(), QStringLiteral("50 sessions today"), IntegrationProvider::googleAnalytics,
             MetricKind::sessionsToday, 50, GoalPeriod::today,
             ReactionConfig{QString::fromUtf8("\U0001F4C8"), SoundEffect::applause,
                            QStringLiteral("Traffic spike!")},
             true, std::nullopt},
    };
}

QList<EventTrigger> defaultTriggers() {
    const auto trigger = [](const char* name, IntegrationProvider provider, TriggerEventKind kind,
                            const char* emoji, SoundEffect sound, const char* message) {
        return EventTrigger{QUuid::createUuid(),
                            QString::fromUtf8(name),
                            provider,
                            kind,
                            ReactionConfig{QString::fromUtf8(emoji), sound, QString::fromUtf8(message)},
                            true,
                            EventTrigger::defaultCooldownSeconds};
    };
    return {
        trigger("Every payment", IntegrationProvider::stripe, TriggerEventKind::stripeCharge, "\U0001F4B0",
                SoundEffect::chaChing, "Show me the money!"),
        trigger("Every refund", IntegrationProvider::stripe, TriggerEventKind::stripeRefund, "\U0001F595",
                SoundEffect::scream, "Noooo!"),
        trigger("Sessions up", IntegrationProvider::googleAnalytics, TriggerEventKind::gaSessions,
                "\U0001F4CA", SoundEffect::applause, "Sessions up!"),
        trigger("Search clicks up", IntegrationProvider::googleSearchConsole, TriggerEventKind::gscClicks,
                "\U0001F50D", SoundEffect::airhorn, "SEO click!"),
    };
}

} // namespace DefaultRules
