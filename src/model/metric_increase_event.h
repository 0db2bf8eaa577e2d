#pragma once

#include "model/currency_format.h"
#include "model/metric_kind.h"
#include "model/trigger_event_kind.h"

#include <QString>

// A tracked metric that improved between two polls.
struct MetricIncreaseEvent {
    TriggerEventKind eventKind = TriggerEventKind::stripeCharge;
    MetricKind metric = MetricKind::revenueToday;
    // Size of the improvement; positive even when lower is better.
    double delta = 0;
    double totalValue = 0;
    bool lowerIsBetter = false;
    // The currency of a money metric's figures.
    QString currencyCode = CurrencyFormat::defaultCode();

    bool operator==(const MetricIncreaseEvent&) const = default;

    QString formattedDelta() const;
    QString formattedTotal() const;
};
