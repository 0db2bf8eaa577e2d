#include "engine/goal_rules.h"
#include "support/fake_clock.h"

#include <gtest/gtest.h>

namespace {

Goal goal(MetricKind metric, double target, GoalPeriod period = GoalPeriod::today, bool enabled = true,
          IntegrationProvider provider = IntegrationProvider::stripe) {
    Goal g;
    g.id = QUuid::createUuid();
    g.name = QStringLiteral("g");
    g.provider = provider;
    g.metric = metric;
    g.targetValue = target;
    g.period = period;
    g.isEnabled = enabled;
    return g;
}

TEST(GoalRules, Reached) {
    const struct {
        MetricKind metric;
        double current, target;
        bool reached;
    } cases[] = {
        {MetricKind::revenueToday, 100, 100, true}, {MetricKind::revenueToday, 99.99, 100, false},
        {MetricKind::revenueToday, 150, 100, true}, {MetricKind::avgPosition, 5, 5, true},
        {MetricKind::avgPosition, 4.2, 5, true},    {MetricKind::avgPosition, 5.1, 5, false},
        {MetricKind::sessions, 0, 0, true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GoalRules::isReached(c.metric, c.current, c.target), c.reached)
            << c.current << " vs " << c.target;
}

TEST(GoalRules, FiredTodayFollowsTheLocalCalendar) {
    // UTC+10: local midnight is 14:00 UTC of the day before.
    FakeClock clock(QDateTime(QDate(2026, 12, 7), QTime(14, 0), Qt::UTC), QTimeZone(10 * 3600));
    Goal g = goal(MetricKind::revenueToday, 1);
    EXPECT_FALSE(GoalRules::firedToday(g, clock));
    g.lastTriggeredAt = QDateTime(QDate(2026, 12, 7), QTime(13, 59), Qt::UTC); // 23:59 local, yesterday
    EXPECT_FALSE(GoalRules::firedToday(g, clock));
    g.lastTriggeredAt = QDateTime(QDate(2026, 12, 7), QTime(14, 0), Qt::UTC); // 00:00 local
    EXPECT_TRUE(GoalRules::firedToday(g, clock));
}

TEST(GoalRules, DashboardProgress) {
    FakeClock clock;
    const Goal revenue = goal(MetricKind::revenueToday, 200);
    const Goal zeroTarget = goal(MetricKind::purchaseCountToday, 0);
    Goal reachedEarlier =
        goal(MetricKind::sessionsToday, 100, GoalPeriod::today, true, IntegrationProvider::googleAnalytics);
    reachedEarlier.lastTriggeredAt = clock.now().addSecs(-3600);
    const Goal missingSnapshot =
        goal(MetricKind::clicksToday, 10, GoalPeriod::today, true, IntegrationProvider::googleSearchConsole);
    const Goal weekly = goal(MetricKind::revenue7d, 1, GoalPeriod::rolling7d);
    const Goal disabled = goal(MetricKind::revenueToday, 1, GoalPeriod::today, false);
    const Goal negative = goal(MetricKind::refundCountToday, 10);

    QMap<IntegrationProvider, MetricSnapshot> snapshots;
    snapshots[IntegrationProvider::stripe].values = {{MetricKind::revenueToday, 50},
                                                     {MetricKind::purchaseCountToday, 3},
                                                     {MetricKind::revenue7d, 5},
                                                     {MetricKind::refundCountToday, -5}};
    snapshots[IntegrationProvider::googleAnalytics].values = {{MetricKind::sessionsToday, 40}};

    const QList<Goal> goals = {revenue,        weekly,          zeroTarget, disabled,
                               reachedEarlier, missingSnapshot, negative};
    EXPECT_EQ(GoalRules::todayGoals(goals),
              (QList<Goal>{revenue, zeroTarget, reachedEarlier, missingSnapshot, negative}));
    const QList<GoalProgressItem> items = GoalRules::progressItems(goals, snapshots, clock);
    const QList<GoalProgressItem> expected = {
        {revenue, 50, 0.25, false},     {zeroTarget, 3, 1.0, true},  {reachedEarlier, 40, 0.4, true},
        {missingSnapshot, 0, 0, false}, {negative, -5, -0.5, false},
    };
    EXPECT_EQ(items, expected);
    EXPECT_DOUBLE_EQ(GoalRules::overallFraction(items), (0.25 + 1 + 0.4 + 0 - 0.5) / 5);
    EXPECT_EQ(GoalRules::completedCount(items), 2);
    EXPECT_EQ(GoalRules::overallFraction({}), 0);
}

} // namespace
