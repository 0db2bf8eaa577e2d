#pragma once

#include <QList>
#include <QString>
#include <optional>

// How often a reached goal may fire: once per local calendar day, or again after the engine's cooldown.
// It does not choose the measured window; the metric kind does.
enum class GoalPeriod { today, rolling7d };

namespace GoalPeriods {
const QList<GoalPeriod>& allCases();
QString rawValue(GoalPeriod period);
std::optional<GoalPeriod> fromRawValue(const QString& raw);
QString title(GoalPeriod period);
} // namespace GoalPeriods
