#pragma once

#include "model/enum_names.h"

#include <QList>
#include <QString>
#include <optional>
#include <qobjectdefs.h>

namespace TriggerEventKinds {
Q_NAMESPACE

// The events a trigger can react to: seven instant Stripe events, then 29 metric increases.
// Declaration order is significant (catalog order, pickers). The event catalog describes each kind.
enum class TriggerEventKind {
    stripeCharge,
    stripeRefund,
    stripeCheckoutComplete,
    stripeNewSubscription,
    stripeSubscriptionRenewal,
    stripeSubscriptionUpdated,
    stripeSubscriptionCanceled,
    stripeTrials,
    stripeCustomers,
    stripeSubscribers,
    stripeTotalRevenue,
    stripeMRR,
    stripeRecurringMRR,
    stripeARR,
    stripeRevenue7d,
    gaTotalVisits,
    gaSessions,
    gaSessionsYesterday,
    gaSessions7d,
    gaPageviews,
    gaUsers,
    gaUsersYesterday,
    gaUsers7d,
    gaUsersGrowth,
    gaNewUsers,
    gaSignups,
    gaEngagedSessions,
    gaActiveUsers,
    datafastSessions,
    datafastVisitors,
    datafastRevenue,
    datafastGoals,
    gscClicks,
    gscImpressions,
    gscAvgPosition,
    gscCTR,
};
Q_ENUM_NS(TriggerEventKind)

inline const QList<TriggerEventKind>& allCases() {
    return EnumNames::allCases<TriggerEventKind>();
}
inline QString rawValue(TriggerEventKind kind) {
    return EnumNames::rawValue(kind);
}
inline std::optional<TriggerEventKind> fromRawValue(const QString& raw) {
    return EnumNames::fromRawValue<TriggerEventKind>(raw);
}
} // namespace TriggerEventKinds

using TriggerEventKinds::TriggerEventKind;
