#include "model/goal_formatting.h"

#include "model/c_format.h"

namespace GoalFormatting {

QString format(double value, MetricKind metric, const QString& currencyCode) {
    if (MetricKinds::isCurrency(metric))
        return CurrencyFormat::format(value, currencyCode);
    if (metric == MetricKind::usersGrowth || metric == MetricKind::ctr)
        return cFormat("%.1f%%", value);
    if (metric == MetricKind::avgPosition)
        return cFormat("%.1f", value);
    return cFormat("%.0f", value);
}

} // namespace GoalFormatting
