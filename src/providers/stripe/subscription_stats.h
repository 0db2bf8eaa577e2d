#pragma once

#include "model/currency_format.h"

#include <QDateTime>
#include <QJsonObject>
#include <QList>

// The figures the subscriptions listing gives. All zero when the listing was refused.
struct SubscriptionStats {
    double customers = 0;
    double trials = 0;
    double subscribers = 0;
    double newSubscribers = 0;
    double recurringMrr = 0;

    // `recentStart`: subscriptions created at or after it (and active or trialing) are new. Recurring revenue
    // counts the items priced in `currencyCode` (or naming no currency).
    static SubscriptionStats compute(const QList<QJsonObject>& subscriptions, const QDateTime& recentStart,
                                     const QString& currencyCode = CurrencyFormat::defaultCode());

    // What one subscription item adds to the monthly recurring revenue, in units of `currencyCode`: unit
    // amount times quantity, brought to one month by the price's billing interval. Absent when the item lacks
    // either number or is priced in another currency.
    static std::optional<double> monthlyAmount(const QJsonObject& item,
                                               const QString& currencyCode = CurrencyFormat::defaultCode());

    friend bool operator==(const SubscriptionStats&, const SubscriptionStats&) = default;
};
