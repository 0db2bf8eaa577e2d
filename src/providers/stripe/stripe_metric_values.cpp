#include "providers/stripe/stripe_metric_values.h"

#include "model/c_format.h"

#include <cmath>

namespace StripeMetricValues {

namespace {

double salesRevenue(const QList<StripeChargePayload>& charges) {
    double total = 0.0;
    for (const auto& charge : charges) {
        if (charge.isSale())
            total += static_cast<double>(charge.amount) / 100.0;
    }
    return total;
}

} // namespace

QHash<MetricKind, double> compute(const QList<StripeChargePayload>& today,
                                  const QList<StripeChargePayload>& week,
                                  const QList<StripeChargePayload>& month,
                                  const SubscriptionStats& subscriptions) {
    double purchasesToday = 0;
    double refundsToday = 0;
    for (const auto& charge : today) {
        if (charge.isSale())
            purchasesToday += 1;
        if (charge.refunded)
            refundsToday += 1;
    }
    const double revenueToday = salesRevenue(today);
    const double revenue7d = salesRevenue(week);
    const double revenue30d = salesRevenue(month);

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

QString displaySummary(double revenueToday, double subscribers) {
    const double whole = std::trunc(subscribers);
    const long long count = whole >= -9.0e18 && whole <= 9.0e18 ? static_cast<long long>(whole) : 0;
    return cFormat("$%.0f today \u00B7 %lld subs", revenueToday, count);
}

} // namespace StripeMetricValues
