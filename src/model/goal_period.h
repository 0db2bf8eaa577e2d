#pragma once

#include "model/enum_names.h"

#include <QList>
#include <QString>
#include <optional>
#include <qobjectdefs.h>

namespace GoalPeriods {
Q_NAMESPACE

// How often a reached goal may fire: once per local calendar day, or again after the engine's cooldown.
// It does not choose the measured window; the metric kind does.
enum class GoalPeriod { today, rolling7d };
Q_ENUM_NS(GoalPeriod)

inline const QList<GoalPeriod>& allCases() {
    return EnumNames::allCases<GoalPeriod>();
}
inline QString rawValue(GoalPeriod period) {
    return EnumNames::rawValue(period);
}
inline std::optional<GoalPeriod> fromRawValue(const QString& raw) {
    return EnumNames::fromRawValue<GoalPeriod>(raw);
}
QString title(GoalPeriod period);
} // namespace GoalPeriods

using GoalPeriods::GoalPeriod;
