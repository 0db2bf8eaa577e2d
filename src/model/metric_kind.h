#pragma once

#include "model/enum_names.h"
#include "model/integration_provider.h"

#include <QList>
#include <QString>
#include <optional>
#include <qobjectdefs.h>

namespace MetricKinds {
Q_NAMESPACE

// The 41 metric kinds. Declaration order is significant (pickers, iteration); value 0 is the default
// menu-bar metric.
enum class MetricKind {
    revenueToday,
    revenue7d,
    purchaseCountToday,
    refundCountToday,
    sessionsToday,
    usersToday,
    pageviewsToday,
    visitorsToday,
    goalCompletionsToday,
    clicksToday,
    impressionsToday,
    totalRevenue,
    mrr,
    recurringMrr,
    arr,
    customers,
    trials,
    subscribers,
    newSubscribers,
    charges,
    totalVisits,
    sessions,
    sessionsYesterday,
    sessions7d,
    pageviews,
    users,
    usersYesterday,
    users7d,
    usersGrowth,
    newUsers,
    signups,
    engagedSessions,
    activeUsers,
    datafastSessions,
    datafastVisitors,
    datafastRevenue,
    datafastGoals,
    clicks,
    impressions,
    avgPosition,
    ctr,
};
Q_ENUM_NS(MetricKind)

inline const QList<MetricKind>& allCases() {
    return EnumNames::allCases<MetricKind>();
}
inline QString rawValue(MetricKind kind) {
    return EnumNames::rawValue(kind);
}
inline std::optional<MetricKind> fromRawValue(const QString& raw) {
    return EnumNames::fromRawValue<MetricKind>(raw);
}
QString displayName(MetricKind kind);
// The kinds a provider offers, in the order its pickers list them.
const QList<MetricKind>& available(IntegrationProvider provider);
bool isCurrency(MetricKind kind);
} // namespace MetricKinds

using MetricKinds::MetricKind;
