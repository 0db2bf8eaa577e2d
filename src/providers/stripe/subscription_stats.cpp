#include "providers/stripe/subscription_stats.h"

#include "providers/stripe/json_numbers.h"

#include <QJsonArray>
#include <QSet>
#include <cmath>

namespace {

// `value` as an array of objects; anything else (also one stray element) as none.
QList<QJsonObject> objectArray(const QJsonValue& value) {
    QList<QJsonObject> objects;
    if (!value.isArray())
        return objects;
    const QJsonArray array = value.toArray();
    objects.reserve(array.size());
    for (const QJsonValue& element : array) {
        if (!element.isObject())
            return {};
        objects.append(element.toObject());
    }
    return objects;
}

// `perPeriod` brought to one month by the price's billing interval.
double perMonth(double perPeriod, const QJsonObject& recurring) {
    const QString interval = recurring.value(QLatin1String("interval")).toString();
    // A missing or nonsensical count (0 would divide by zero) means one interval, as the service defaults.
    qint64 count = JsonNumbers::exactInteger(recurring.value(QLatin1String("interval_count"))).value_or(1);
    if (count < 1)
        count = 1;
    const double intervals = static_cast<double>(count);
    if (interval == QLatin1String("month"))
        return perPeriod / intervals;
    if (interval == QLatin1String("year"))
        return perPeriod / (12.0 * intervals);
    if (interval == QLatin1String("week"))
        return perPeriod * 52.0 / (12.0 * intervals);
    if (interval == QLatin1String("day"))
        return perPeriod * 365.0 / (12.0 * intervals);
    return perPeriod;
}

} // namespace

std::optional<double> SubscriptionStats::monthlyAmount(const QJsonObject& item, const QString& currencyCode) {
    const QJsonValue priceValue = item.value(QLatin1String("price"));
    if (!priceValue.isObject())
        return std::nullopt;
    const QJsonObject price = priceValue.toObject();
    const QJsonValue currency = price.value(QLatin1String("currency"));
    if (currency.isString() && currency.toString().compare(currencyCode, Qt::CaseInsensitive) != 0)
        return std::nullopt;
    const auto unitAmount = JsonNumbers::exactInteger(price.value(QLatin1String("unit_amount")));
    const auto quantity = JsonNumbers::exactInteger(item.value(QLatin1String("quantity")));
    if (!unitAmount || !quantity)
        return std::nullopt;
    // In doubles: cents times a quantity can exceed 64 bits on hostile input.
    const double perPeriod = static_cast<double>(*unitAmount) * static_cast<double>(*quantity) /
                             std::pow(10.0, CurrencyFormat::minorDigits(currencyCode));
    const QJsonValue recurring = price.value(QLatin1String("recurring"));
    if (!recurring.isObject())
        return perPeriod;
    return perMonth(perPeriod, recurring.toObject());
}

SubscriptionStats SubscriptionStats::compute(const QList<QJsonObject>& subscriptions,
                                             const QDateTime& recentStart, const QString& currencyCode) {
    SubscriptionStats stats;
    QSet<QString> customers;
    const double recentSeconds = static_cast<double>(recentStart.toMSecsSinceEpoch()) / 1000.0;
    for (const QJsonObject& subscription : subscriptions) {
        const QJsonValue customer = subscription.value(QLatin1String("customer"));
        if (customer.isString())
            customers.insert(customer.toString());
        const QString status = subscription.value(QLatin1String("status")).toString();
        const bool trialing = status == QLatin1String("trialing");
        const bool active = status == QLatin1String("active");
        if (trialing)
            stats.trials += 1;
        if (active || trialing)
            stats.subscribers += 1;
        const QJsonValue created = subscription.value(QLatin1String("created"));
        if (created.isDouble() && created.toDouble() >= recentSeconds && (active || trialing))
            stats.newSubscribers += 1;
        // Trials pay nothing yet.
        if (!active)
            continue;
        const QJsonValue items = subscription.value(QLatin1String("items"));
        if (!items.isObject())
            continue;
        for (const QJsonObject& item : objectArray(items.toObject().value(QLatin1String("data")))) {
            if (const auto monthly = monthlyAmount(item, currencyCode))
                stats.recurringMrr += *monthly;
        }
    }
    stats.customers = static_cast<double>(customers.size());
    return stats;
}
