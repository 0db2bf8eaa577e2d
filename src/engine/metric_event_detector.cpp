#include "engine/metric_event_detector.h"

#include "model/tavik_event_catalog.h"

#include <cmath>

namespace MetricEventDetector {

namespace {
constexpr double kTolerance = 1e-9;
}

double threshold(MetricKind metric) {
    if (MetricKinds::isCurrency(metric))
        return 0.01;
    switch (metric) {
    case MetricKind::usersGrowth:
    case MetricKind::ctr:
        return 0.1;
    case MetricKind::avgPosition:
        return 0.05;
    default:
        return 1.0;
    }
}

QList<ProviderEvent> detect(const std::optional<MetricSnapshot>& old, const MetricSnapshot& snapshot,
                            const QDateTime& now) {
    QList<ProviderEvent> events;
    if (!old)
        return events;
    // Declaration order rather than hash order, so one poll's reactions come out the same every time.
    for (MetricKind metric : MetricKinds::allCases()) {
        const auto found = snapshot.values.constFind(metric);
        if (found == snapshot.values.constEnd())
            continue;
        const std::optional<TriggerEventKind> kind = TavikEventCatalog::kind(metric, snapshot.provider);
        if (!kind)
            continue;
        // Sums in two currencies do not compare.
        if (MetricKinds::isCurrency(metric) && old->currencyCode != snapshot.currencyCode)
            continue;
        // A figure the old snapshot lacked was unknown then, not zero: its return is no rise.
        const auto before = old->values.constFind(metric);
        if (before == old->values.constEnd())
            continue;
        const double value = found.value();
        const double previous = before.value();
        const bool lowerIsBetter = metric == MetricKind::avgPosition;
        const double delta = lowerIsBetter ? previous - value : value - previous;
        // A rise of exactly the threshold must count even when binary fractions make it a hair short
        // (3.2 -> 3.3 is 0.0999...). NaN compares false and never passes.
        if (!(delta + kTolerance >= threshold(metric)))
            continue;
        events.append(ProviderEvent::metricIncrease(
            snapshot.provider,
            MetricIncreaseEvent{*kind, metric, delta, value, lowerIsBetter, snapshot.currencyCode}, now));
    }
    return events;
}

} // namespace MetricEventDetector
