#include "engine/goal_rules.h"

#include <algorithm>

namespace GoalRules {

bool isReached(MetricKind metric, double current, double target) {
    return metric == MetricKind::avgPosition ? current <= target : current >= target;
}

bool firedToday(const Goal& goal, const Clock& clock) {
    if (!goal.lastTriggeredAt)
        return false;
    return clock.startOfDay(*goal.lastTriggeredAt) == clock.startOfToday();
}

QList<Goal> todayGoals(const QList<Goal>& goals) {
    QList<Goal> result;
    for (const Goal& goal : goals) {
        if (goal.isEnabled && goal.period == GoalPeriod::today)
            result.append(goal);
    }
    return result;
}

QList<GoalProgressItem> progressItems(const QList<Goal>& goals,
                                      const QMap<IntegrationProvider, MetricSnapshot>& snapshots,
                                      const Clock& clock) {
    QList<GoalProgressItem> items;
    for (const Goal& goal : todayGoals(goals)) {
        const auto snapshot = snapshots.constFind(goal.provider);
        const double current = snapshot == snapshots.constEnd() ? 0.0 : snapshot->value(goal.metric);
        const double fraction = std::min(current / std::max(goal.targetValue, 0.0001), 1.0);
        const bool complete = isReached(goal.metric, current, goal.targetValue) || firedToday(goal, clock);
        items.append(GoalProgressItem{goal, current, fraction, complete});
    }
    return items;
}

double overallFraction(const QList<GoalProgressItem>& items) {
    if (items.isEmpty())
        return 0;
    double sum = 0;
    for (const GoalProgressItem& item : items)
        sum += item.fraction;
    return sum / double(items.size());
}

int completedCount(const QList<GoalProgressItem>& items) {
    return int(
        std::count_if(items.begin(), items.end(), [](const GoalProgressItem& i) { return i.isComplete; }));
}

} // namespace GoalRules
