#pragma once

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

    // `recentStart`: subscriptions created at or after it (and active or trialing) are new.
    static SubscriptionStats compute(const QList<QJsonObject>& subscriptions, const QDateTime& recentStart);

    // What one subscription item adds to the monthly recurring revenue, in currency units: unit amount times
    // quantity, brought to one month by the price's billing interval. Absent when the item lacks either
    // number.
    static std::optional<double> monthlyAmount(const QJsonObject& item);

    friend bool operator==(const SubscriptionStats&, const SubscriptionStats&) = default;
};
