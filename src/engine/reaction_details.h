#pragma once

#include "model/metric_increase_event.h"
#include "model/metric_kind.h"
#include "model/random_source.h"
#include "model/reaction_context.h"
#include "model/trigger_event_kind.h"
#include "providers/stripe_transaction_details.h"

#include <QString>
#include <optional>

// What a reaction shows besides its emoji and message: the stamp, the banner lines and the amount.
struct ReactionDetails {
    ReactionContext context = ReactionContext::test;
    std::optional<QString> headline;
    std::optional<QString> buyerLine;
    std::optional<QString> productLine;
    std::optional<QString> planLine;
    std::optional<QString> amountLine;
    std::optional<qint64> amountCents;
    std::optional<QString> metricLabel;
    // Goal: the current value; metric increase: the new total.
    std::optional<double> currentValue;
    // Goal: the target; metric increase: the size of the rise.
    std::optional<double> targetValue;
    bool isCurrencyMetric = false;
    // The currency of amountCents and of a money metric's values.
    QString currencyCode = CurrencyFormat::defaultCode();

    // "current / target" for goals, else the amount in its currency, else amountLine.
    std::optional<QString> formattedAmount() const;

    static ReactionDetails fromStripe(const StripeTransactionDetails& details,
                                      std::optional<TriggerEventKind> eventKind);
    static ReactionDetails fromMetricEvent(const MetricIncreaseEvent& event);
    // A goal shown as reached with `current` against `target`, money in `currencyCode`.
    static ReactionDetails forGoal(MetricKind metric, double current, double target,
                                   const QString& currencyCode = CurrencyFormat::defaultCode());

    // Made-up details for previews and the demo source.
    static ReactionDetails demo(TriggerEventKind kind, RandomSource& random);
    static ReactionDetails demoPurchase(RandomSource& random);
    static ReactionDetails demoRefund(RandomSource& random);
    static double demoDelta(MetricKind metric, RandomSource& random);
    static double demoTotal(MetricKind metric, double delta, RandomSource& random);

    friend bool operator==(const ReactionDetails&, const ReactionDetails&) = default;
};
