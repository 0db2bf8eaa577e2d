#pragma once

#include "model/currency_format.h"
#include "model/metric_kind.h"

#include <QString>

namespace GoalFormatting {
// C-locale printf rules: money as the currency's symbol and whole units ("$-12", "¥1500"), "%.1f%%" for
// growth and CTR, "%.1f" for position.
QString format(double value, MetricKind metric, const QString& currencyCode = CurrencyFormat::defaultCode());
} // namespace GoalFormatting
