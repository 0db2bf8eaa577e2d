#include "model/goal_period.h"

namespace GoalPeriods {

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
