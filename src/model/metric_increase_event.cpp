#include "model/metric_increase_event.h"

#include "model/c_format.h"
#include "model/currency_format.h"

namespace {

bool isPercentage(MetricKind metric) {
    return metric == MetricKind::ctr || metric == MetricKind::usersGrowth;
}

} // namespace

QString MetricIncreaseEvent::formattedDelta() const {
    if (lowerIsBetter)
        return cFormat("\u2191%.1f", delta);
    if (isPercentage(metric))
        return cFormat("+%.1f%%", delta);
    if (MetricKinds::isCurrency(metric))
        return QLatin1Char('+') + CurrencyFormat::format(delta, currencyCode);
    return cFormat("+%.0f", delta);
}

QString MetricIncreaseEvent::formattedTotal() const {
    if (metric == MetricKind::avgPosition)
        return cFormat("%.1f avg", totalValue);
    if (isPercentage(metric))
        return cFormat("%.1f%%", totalValue);
    if (MetricKinds::isCurrency(metric))
        return CurrencyFormat::format(totalValue, currencyCode) + QStringLiteral(" total");
    return cFormat("%.0f total", totalValue);
}
