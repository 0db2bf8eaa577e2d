#include "providers/stripe/stripe_metric_values.h"

#include "model/c_format.h"

#include <algorithm>
#include <cmath>

namespace StripeMetricValues {

namespace {

double salesRevenue(const QList<StripeChargePayload>& charges, const QString& currencyCode) {
    double total = 0.0;
    for (const auto& charge : charges) {
        if (charge.isSale())
            total += CurrencyFormat::fromMinorUnits(charge.amount, currencyCode);
    }
    return total;
}

} // namespace

QHash<MetricKind, double> compute(const QList<StripeChargePayload>& today,
                                  const QList<StripeChargePayload>& week,
                                  const QList<StripeChargePayload>& month,
                                  const SubscriptionStats& subscriptions, const QString& currencyCode) {
    double purchasesToday = 0;
    double refundsToday = 0;
    for (const auto& charge : today) {
        if (charge.isSale())
            purchasesToday += 1;
        if (charge.refunded)
            refundsToday += 1;
    }
    const double revenueToday = salesRevenue(today, currencyCode);
    const double revenue7d = salesRevenue(week, currencyCode);
    const double revenue30d = salesRevenue(month, currencyCode);

    return {
        {MetricKind::revenueToday, revenueToday},
        {MetricKind::revenue7d, revenue7d},
        {MetricKind::purchaseCountToday, purchasesToday},
        {MetricKind::refundCountToday, refundsToday},
        {MetricKind::totalRevenue, revenue30d + 4.0 * revenue7d},
        {MetricKind::mrr, revenue30d},
        {MetricKind::recurringMrr, subscriptions.recurringMrr},
        {MetricKind::arr, subscriptions.recurringMrr * 12.0},
        {MetricKind::customers, subscriptions.customers},
        {MetricKind::trials, subscriptions.trials},
        {MetricKind::subscribers, subscriptions.subscribers},
        {MetricKind::newSubscribers, subscriptions.newSubscribers},
        {MetricKind::charges, purchasesToday + static_cast<double>(month.size())},
    };
}

QString majorityCurrency(const QList<StripeChargePayload>& charges) {
    struct Tally {
        qsizetype count = 0;
        double newest = 0;
    };
    QHash<QString, Tally> tallies;
    for (const auto& charge : charges) {
        Tally& tally = tallies[charge.currencyCode()];
        tally.newest = tally.count == 0 ? charge.created : std::max(tally.newest, charge.created);
        ++tally.count;
    }
    QString chosen = CurrencyFormat::defaultCode();
    Tally best;
    for (auto it = tallies.constBegin(); it != tallies.constEnd(); ++it) {
        const Tally& tally = it.value();
        if (tally.count > best.count || (tally.count == best.count && tally.newest > best.newest)) {
            best = tally;
            chosen = it.key();
        }
    }
    return chosen;
}

QList<StripeChargePayload> inCurrency(const QList<StripeChargePayload>& charges,
                                      const QString& currencyCode) {
    QList<StripeChargePayload> kept;
    kept.reserve(charges.size());
    for (const auto& charge : charges) {
        if (charge.currencyCode() == currencyCode)
            kept.append(charge);
    }
    return kept;
}

QString displaySummary(double revenueToday, double subscribers, const QString& currencyCode,
                       qsizetype leftOut) {
    const double whole = std::trunc(subscribers);
    const long long count = whole >= -9.0e18 && whole <= 9.0e18 ? static_cast<long long>(whole) : 0;
    QString summary =
        CurrencyFormat::format(revenueToday, currencyCode) + cFormat(" today \u00B7 %lld subs", count);
    if (leftOut == 1)
        summary += QStringLiteral(" \u00B7 1 charge in another currency left out");
    else if (leftOut > 1)
        summary +=
            cFormat(" \u00B7 %lld charges in other currencies left out", static_cast<long long>(leftOut));
    return summary;
}

} // namespace StripeMetricValues
