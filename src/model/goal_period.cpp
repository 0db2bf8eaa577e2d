#include "model/goal_period.h"

namespace GoalPeriods {

const QList<GoalPeriod>& allCases() {
    static const QList<GoalPeriod> cases = {GoalPeriod::today, GoalPeriod::rolling7d};
    return cases;
}

QString rawValue(GoalPeriod period) {
    switch (period) {
    case GoalPeriod::today:
        return QStringLiteral("today");
    case GoalPeriod::rolling7d:
        return QStringLiteral("rolling7d");
    }
    return {};
}

std::optional<GoalPeriod> fromRawValue(const QString& raw) {
    for (GoalPeriod period : allCases()) {
        if (raw == rawValue(period))
            return period;
    }
    return std::nullopt;
}

QString title(GoalPeriod period) {
    switch (period) {
    case GoalPeriod::today:
        return QStringLiteral("Today");
    case GoalPeriod::rolling7d:
        return QStringLiteral("Last 7 days");
    }
    return {};
}

} // namespace GoalPeriods
