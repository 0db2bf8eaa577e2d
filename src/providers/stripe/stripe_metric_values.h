#pragma once

#include "model/metric_kind.h"
#include "providers/stripe/stripe_charge_payload.h"
#include "providers/stripe/subscription_stats.h"

#include <QHash>
#include <QList>
#include <QString>

// The thirteen figures of one Stripe poll, from the charges since local midnight (today), since the start of
// the day seven days back (week) and of the last thirty days (month), and the subscription figures.
namespace StripeMetricValues {

QHash<MetricKind, double> compute(const QList<StripeChargePayload>& today,
                                  const QList<StripeChargePayload>& week,
                                  const QList<StripeChargePayload>& month,
                                  const SubscriptionStats& subscriptions);

// "$<revenue today> today · <subscribers> subs".
QString displaySummary(double revenueToday, double subscribers);

} // namespace StripeMetricValues
