#pragma once

#include "model/enum_names.h"

#include <QList>
#include <QString>
#include <optional>
#include <qobjectdefs.h>

namespace ReactionContexts {
Q_NAMESPACE

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
Q_ENUM_NS(ReactionContext)

inline const QList<ReactionContext>& allCases() {
    return EnumNames::allCases<ReactionContext>();
}
inline QString rawValue(ReactionContext context) {
    return EnumNames::rawValue(context);
}
inline std::optional<ReactionContext> fromRawValue(const QString& raw) {
    return EnumNames::fromRawValue<ReactionContext>(raw);
}
QString stampText(ReactionContext context);
QString stampEmoji(ReactionContext context);
} // namespace ReactionContexts

using ReactionContexts::ReactionContext;
