#pragma once

#include "model/metric_snapshot.h"
#include "providers/provider_event.h"

#include <QDateTime>
#include <QList>
#include <optional>

// Turns every sufficient rise between a provider's baseline and its new snapshot into a metric-increase
// event. Without a baseline nothing fires: the first snapshot only sets it. Only metrics present in both
// snapshots are compared.
namespace MetricEventDetector {

// The smallest change that counts as a rise of `metric`.
double threshold(MetricKind metric);

// Events in metric declaration order, each stamped `now`.
QList<ProviderEvent> detect(const std::optional<MetricSnapshot>& old, const MetricSnapshot& snapshot,
                            const QDateTime& now);

} // namespace MetricEventDetector
