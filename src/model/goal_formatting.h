#pragma once

#include "model/metric_kind.h"

#include <QString>

namespace GoalFormatting {
// C-locale printf rules: "$%.0f" for money ("$-12"), "%.1f%%" for growth and CTR, "%.1f" for position.
QString format(double value, MetricKind metric);
} // namespace GoalFormatting
