#pragma once

#include "engine/goal_progress_item.h"
#include "model/clock.h"
#include "model/goal.h"
#include "model/metric_snapshot.h"

#include <QList>
#include <QMap>

// The rules goal evaluation and the dashboard share.
namespace GoalRules {

// current >= target, or current <= target for avgPosition where lower is better.
bool isReached(MetricKind metric, double current, double target);
// lastTriggeredAt falls on the local calendar day of the clock's now.
bool firedToday(const Goal& goal, const Clock& clock);

QList<Goal> todayGoals(const QList<Goal>& goals);
QList<GoalProgressItem> progressItems(const QList<Goal>& goals,
                                      const QMap<IntegrationProvider, MetricSnapshot>& snapshots,
                                      const Clock& clock);
double overallFraction(const QList<GoalProgressItem>& items);
int completedCount(const QList<GoalProgressItem>& items);

} // namespace GoalRules
