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

// Amounts are read in units of `currencyCode`; the charges are expected to be in it.
QHash<MetricKind, double> compute(const QList<StripeChargePayload>& today,
                                  const QList<StripeChargePayload>& week,
                                  const QList<StripeChargePayload>& month,
                                  const SubscriptionStats& subscriptions,
                                  const QString& currencyCode = CurrencyFormat::defaultCode());

// The currency of most of `charges`; between equally many, the one of the newest charge. US dollars for none.
QString majorityCurrency(const QList<StripeChargePayload>& charges);
// The charges in `currencyCode`, in their order.
QList<StripeChargePayload> inCurrency(const QList<StripeChargePayload>& charges, const QString& currencyCode);

// "<symbol><revenue today> today · <subscribers> subs", and how many charges in other currencies were left
// out when there were any.
QString displaySummary(double revenueToday, double subscribers,
                       const QString& currencyCode = CurrencyFormat::defaultCode(), qsizetype leftOut = 0);

} // namespace StripeMetricValues
