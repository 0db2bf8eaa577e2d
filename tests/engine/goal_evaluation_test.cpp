#include "engine_fixture.h"

namespace {

using P = IntegrationProvider;
using M = MetricKind;

class GoalEvaluation : public EngineTest {
protected:
    void SetUp() override {
        storeConnected({P::stripe, P::googleSearchConsole});
        // UTC+10, so local midnight is not UTC midnight.
        clock.setTimeZone(QTimeZone(10 * 3600));
    }
    void pollStripe(double revenue) {
        stripe.queueMetrics({{M::revenueToday, revenue}});
        poll();
    }
};

TEST_F(GoalEvaluation, TodayGoalFiresOncePerLocalDayAlsoAcrossRelaunch) {
    const Goal goal = makeGoal(P::stripe, M::revenueToday, 100);
    storeGoals({goal});
    clock.setNow(QDateTime(QDate(2026, 12, 7), QTime(13, 59), Qt::UTC)); // 23:59 local
    pollStripe(100);
    EXPECT_EQ(firedMessages(), QStringList{QStringLiteral("Goal!")});
    EXPECT_EQ(engine().goals().first().lastTriggeredAt, clock.now());
    // Stored at once.
    EXPECT_EQ(persistence.decodeGoals().value().first().lastTriggeredAt, clock.now());

    clock.advanceSeconds(30); // still the same local day, cooldown aside
    pollStripe(150);
    EXPECT_EQ(firedMessages().size(), 1);

    clock.setNow(QDateTime(QDate(2026, 12, 7), QTime(14, 0), Qt::UTC)); // 00:00 local, next day
    pollStripe(150);
    EXPECT_EQ(firedMessages().size(), 2);

    // A restart later that day remembers the firing through the stored goal.
    relaunch();
    clock.advanceSeconds(3600);
    pollStripe(200);
    EXPECT_TRUE(firedMessages().isEmpty());
    // ...and fires again the following day.
    clock.advanceSeconds(24 * 3600);
    pollStripe(200);
    EXPECT_EQ(firedMessages(), QStringList{QStringLiteral("Goal!")});
}

TEST_F(GoalEvaluation, RollingGoalRespectsTheSixtySecondCooldown) {
    storeGoals({makeGoal(P::stripe, M::revenueToday, 10, GoalPeriod::rolling7d)});
    const struct {
        double advance;
        bool fires;
    } steps[] = {{0, true}, {30, false}, {29.999, false}, {0.001, true}, {60, true}};
    int expected = 0;
    for (const auto& step : steps) {
        clock.advanceSeconds(step.advance);
        pollStripe(20);
        expected += step.fires ? 1 : 0;
        EXPECT_EQ(firedMessages().size(), expected) << "after " << step.advance;
    }
}

TEST_F(GoalEvaluation, ReachedIncludesEqualityAndLowerPositionIsBetter) {
    const struct {
        M metric;
        double target, value;
        bool fires;
    } cases[] = {
        {M::revenueToday, 100, 100, true}, {M::revenueToday, 100, 99.5, false}, {M::avgPosition, 5, 5, true},
        {M::avgPosition, 5, 3.2, true},    {M::avgPosition, 5, 5.4, false},     {M::clicks, 10, 0, false},
    };
    for (const auto& c : cases) {
        relaunch();
        const P provider = c.metric == M::revenueToday ? P::stripe : P::googleSearchConsole;
        storeGoals({makeGoal(provider, c.metric, c.target, GoalPeriod::rolling7d)});
        signInToGoogle(false, true);
        FakeMetricProvider& fake = provider == P::stripe ? stripe : gsc;
        fake.queueMetrics({{c.metric, c.value}});
        if (provider != P::stripe)
            stripe.queueMetrics({});
        else
            gsc.queueMetrics({});
        poll();
        EXPECT_EQ(firedMessages().size(), c.fires ? 1 : 0)
            << MetricKinds::rawValue(c.metric).toStdString() << " " << c.value;
    }
}

TEST_F(GoalEvaluation, OnlyEnabledGoalsOfThePolledProvider) {
    Goal disabled = makeGoal(P::stripe, M::revenueToday, 1, GoalPeriod::today, "disabled");
    disabled.isEnabled = false;
    const Goal otherProvider = makeGoal(P::datafast, M::revenueToday, 1, GoalPeriod::today, "datafast");
    const Goal stripeGoal = makeGoal(P::stripe, M::revenueToday, 1, GoalPeriod::today, "stripe");
    storeGoals({disabled, otherProvider, stripeGoal});
    storeConnected({});
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    demo.setStandingMetrics({{M::revenueToday, 500}});
    poll();
    // A stripe goal is never measured against the demo snapshot.
    EXPECT_TRUE(firedMessages().isEmpty());
    for (const Goal& g : engine().goals())
        EXPECT_FALSE(g.lastTriggeredAt) << g.name.toStdString();
}

TEST_F(GoalEvaluation, FiringDetailsAndSeveralGoalsInOnePoll) {
    const Goal a = makeGoal(P::stripe, M::revenueToday, 100, GoalPeriod::today, "hundred");
    const Goal b = makeGoal(P::stripe, M::customers, 3, GoalPeriod::rolling7d, "three customers");
    storeGoals({a, b});
    stripe.queueMetrics({{M::revenueToday, 120}, {M::customers, 4}});
    poll();
    ASSERT_EQ(fired.size(), 2);
    EXPECT_EQ(fired[0].subtitle, QStringLiteral("hundred"));
    EXPECT_EQ(fired[0].details, ReactionDetails::forGoal(M::revenueToday, 120, 100));
    EXPECT_TRUE(fired[0].details->isCurrencyMetric);
    EXPECT_EQ(fired[0].details->formattedAmount(), QStringLiteral("$120 / $100"));
    EXPECT_EQ(fired[1].subtitle, QStringLiteral("three customers"));
    EXPECT_EQ(fired[1].details->formattedAmount(), QStringLiteral("4 / 3"));
}

TEST_F(GoalEvaluation, GoalDeletedWhileGoalsFireIsNotWrittenBack) {
    const Goal first = makeGoal(P::stripe, M::revenueToday, 1, GoalPeriod::today, "first");
    const Goal second = makeGoal(P::stripe, M::revenueToday, 2, GoalPeriod::today, "second");
    storeGoals({first, second});
    stripe.queueMetrics({{M::revenueToday, 5}});
    // An editor deletes the second goal as soon as the first one's firing is published.
    QObject::connect(&engine(), &AppState::goalsChanged, [this, second] {
        QList<Goal> goals = engine().goals();
        goals.removeIf([&](const Goal& g) { return g.id == second.id; });
        if (goals.size() != engine().goals().size())
            engine().setGoals(goals);
    });
    poll();
    // Both were candidates when evaluation began, so both fire; only the surviving one is stamped.
    EXPECT_EQ(firedMessages(), (QStringList{QStringLiteral("Goal!"), QStringLiteral("Goal!")}));
    Goal stamped = first;
    stamped.lastTriggeredAt = clock.now();
    EXPECT_EQ(engine().goals(), QList<Goal>{stamped});
}

TEST_F(GoalEvaluation, APollWritesTheGoalsDocumentOnceAndOnlyWhenAGoalFired) {
    signInToGoogle(false, true);
    storeGoals({makeGoal(P::stripe, M::revenueToday, 100, GoalPeriod::today, "a"),
                makeGoal(P::stripe, M::revenue7d, 100, GoalPeriod::today, "b"),
                makeGoal(P::googleSearchConsole, M::clicks, 5, GoalPeriod::today, "c")});
    engine();
    const QMap<QString, QByteArray> before = preferences.values();
    int writes = preferences.writeAttempts();
    stripe.queueMetrics({{M::revenueToday, 100}, {M::revenue7d, 100}});
    gsc.queueMetrics({{M::clicks, 5}});
    poll();
    EXPECT_EQ(firedMessages().size(), 3);
    EXPECT_EQ(preferences.writeAttempts(), writes + 1);
    const QList<Goal> stored = persistence.decodeGoals().value_or(QList<Goal>());
    ASSERT_EQ(stored.size(), 3);
    for (const Goal& goal : stored)
        EXPECT_EQ(goal.lastTriggeredAt, clock.now()) << goal.name.toStdString();
    for (const QString& key : {PersistenceManager::settingsKey(), PersistenceManager::triggersKey(),
                               PersistenceManager::integrationsKey()})
        EXPECT_EQ(preferences.values().value(key), before.value(key)) << key.toStdString();

    clock.advanceSeconds(30);
    writes = preferences.writeAttempts();
    // Same figures: the goals are reached already today and no metric rose, so nothing fires or is written.
    stripe.queueMetrics({{M::revenueToday, 100}, {M::revenue7d, 100}});
    gsc.queueMetrics({{M::clicks, 5}});
    poll();
    EXPECT_EQ(firedMessages().size(), 3);
    EXPECT_EQ(preferences.writeAttempts(), writes);
}

} // namespace
