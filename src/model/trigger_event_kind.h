#pragma once

#include "model/integration_provider.h"
#include "model/metric_kind.h"

#include <QList>
#include <QString>
#include <optional>

// The events a trigger can react to: seven instant Stripe events, then 29 metric increases.
// Declaration order is significant (catalog order, pickers).
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

namespace TriggerEventKinds {
const QList<TriggerEventKind>& allCases();
QString rawValue(TriggerEventKind kind);
std::optional<TriggerEventKind> fromRawValue(const QString& raw);
// The source that reports the kind.
IntegrationProvider provider(TriggerEventKind kind);
// The metric whose rise is the event; nothing for the instant Stripe events.
std::optional<MetricKind> watchedMetric(TriggerEventKind kind);
} // namespace TriggerEventKinds
