#pragma once

#include <QList>
#include <QString>
#include <optional>

// What kind of moment a reaction marks; the overlay shows a stamp for it.
enum class ReactionContext {
    purchase,
    refund,
    goal,
    test,
    traffic,
    conversion,
    seo,
    subscription,
    revenue,
    whale,
    dispute,
    failed,
};

namespace ReactionContexts {
const QList<ReactionContext>& allCases();
QString rawValue(ReactionContext context);
std::optional<ReactionContext> fromRawValue(const QString& raw);
QString stampText(ReactionContext context);
QString stampEmoji(ReactionContext context);
} // namespace ReactionContexts
