#include "engine_fixture.h"

#include "support/run_task.h"
#include <cmath>

namespace {

using P = IntegrationProvider;
using M = MetricKind;

class PollCycle : public EngineTest {};

TEST_F(PollCycle, IntervalHasAFifteenSecondFloor) {
    const struct {
        double stored;
        double expected;
    } cases[] = {{5, 15}, {15, 15}, {30, 30}, {0, 15}, {-10, 15}, {std::nan(""), 15}};
    for (const auto& c : cases) {
        relaunch();
        demo.setStandingMetrics({});
        storeSettings([&](AppSettings& s) {
            s.demoModeEnabled = true;
            s.pollIntervalSeconds = c.stored;
        });
        const int before = demo.metricsCalls();
        engine().startPolling();
        EXPECT_EQ(demo.metricsCalls(), before + 1) << "first poll at once, stored " << c.stored;
        clock.advance(std::chrono::milliseconds(qint64(c.expected * 1000) - 1));
        EXPECT_EQ(demo.metricsCalls(), before + 1) << c.stored;
        clock.advance(std::chrono::milliseconds(1));
        EXPECT_EQ(demo.metricsCalls(), before + 2) << c.stored;
    }
}

TEST_F(PollCycle, IntervalIsReadAgainAfterEveryPoll) {
    demo.setStandingMetrics({});
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    engine().startPolling();
    AppSettings settings = engine().settings();
    settings.pollIntervalSeconds = 60;
    engine().setSettings(settings);
    clock.advanceSeconds(30); // the running sleep keeps its 30 s
    EXPECT_EQ(demo.metricsCalls(), 2);
    clock.advanceSeconds(59);
    EXPECT_EQ(demo.metricsCalls(), 2);
    clock.advanceSeconds(1);
    EXPECT_EQ(demo.metricsCalls(), 3);
}

TEST_F(PollCycle, RestartPollsAtOnceAndKeepsOneLoop) {
    demo.setStandingMetrics({});
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    engine().startPolling();
    clock.advanceSeconds(10);
    engine().startPolling();
    EXPECT_EQ(demo.metricsCalls(), 2);
    clock.advanceSeconds(120);
    EXPECT_EQ(demo.metricsCalls(), 2 + 4);
}

TEST_F(PollCycle, SinceIsTwoMinutesBackThenTheLastPoll) {
    demo.setStandingMetrics({});
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    poll();
    EXPECT_EQ(engine().lastPollAt(), at(10, 0));
    clock.advanceSeconds(45);
    poll();
    EXPECT_EQ(demo.eventSinces(), (QList<QDateTime>{at(9, 58), at(10, 0)}));
    EXPECT_EQ(engine().lastPollAt(), at(10, 0, 45));
}

// A service's whole error page can become the description; the error line keeps its start only, never
// splitting a character.
TEST_F(PollCycle, LongErrorDescriptionsAreCut) {
    storeConnected({P::stripe});
    const QString emoji = QStringLiteral("\U0001F525");
    const struct {
        const char* name;
        QString description;
        QString expected;
    } cases[] = {
        {"short", QStringLiteral("down"), QStringLiteral("down")},
        {"at the limit", QString(500, QLatin1Char('x')), QString(500, QLatin1Char('x'))},
        {"error page", QString(2'000'000, QLatin1Char('<')), QString(500, QLatin1Char('<')) + QChar(0x2026)},
        {"pair across the cut", QString(499, QLatin1Char('a')) + emoji + QStringLiteral("tail"),
         QString(499, QLatin1Char('a')) + QChar(0x2026)},
        {"pair before the cut", QString(498, QLatin1Char('a')) + emoji + QStringLiteral("tail"),
         QString(498, QLatin1Char('a')) + emoji + QChar(0x2026)},
    };
    for (const auto& c : cases) {
        stripe.queueMetricsError(std::make_exception_ptr(ZingError(c.description)));
        clock.advanceSeconds(30);
        poll();
        EXPECT_EQ(engine().lastError(), QStringLiteral("Stripe: ") + c.expected) << c.name;
    }
}

TEST_F(PollCycle, EmptyPollPublishesEmptyResults) {
    storeConnected({P::stripe});
    stripe.queueMetricsError(failure("down"));
    poll();
    ASSERT_EQ(engine().lastError(), QStringLiteral("Stripe: down"));
    TestTasks::run(engine().disconnectProvider(P::stripe));

    QStringList published;
    QObject::connect(&engine(), &AppState::snapshotsChanged,
                     [&] { published << QStringLiteral("snapshots"); });
    QObject::connect(&engine(), &AppState::lastPollAtChanged,
                     [&] { published << QStringLiteral("lastPollAt"); });
    QObject::connect(&engine(), &AppState::lastErrorChanged,
                     [&] { published << QStringLiteral("lastError"); });
    clock.advanceSeconds(30);
    poll();
    EXPECT_TRUE(engine().snapshots().isEmpty());
    EXPECT_EQ(engine().lastPollAt(), at(10, 0, 30));
    EXPECT_EQ(engine().lastError(), std::nullopt);
    EXPECT_EQ(published, (QStringList{QStringLiteral("snapshots"), QStringLiteral("lastPollAt"),
                                      QStringLiteral("lastError")}));
}

TEST_F(PollCycle, ProvidersArePolledInFixedOrder) {
    signInToGoogle(true, true);
    storeSettings([](AppSettings& s) {
        s.demoModeEnabled = true;
        s.googleIntegration.gaPropertyId = QStringLiteral("properties/1");
        s.googleIntegration.gscSiteUrl = QStringLiteral("sc-domain:example.com");
    });
    storeConnected({P::stripe, P::datafast});
    QStringList calls;
    for (FakeMetricProvider* p : {&demo, &stripe, &ga, &datafast, &gsc}) {
        p->setCallLog(&calls);
        p->queueMetricsError(failure(qPrintable(IntegrationProviders::rawValue(p->provider()))));
    }
    QStringList errors;
    QObject::connect(&engine(), &AppState::lastErrorChanged,
                     [&] { errors << engine().lastError().value_or(QString()); });
    poll();
    EXPECT_EQ(calls,
              (QStringList{QStringLiteral("demo:metrics"), QStringLiteral("stripe:metrics"),
                           QStringLiteral("googleAnalytics:metrics"), QStringLiteral("datafast:metrics"),
                           QStringLiteral("googleSearchConsole:metrics")}));
    // Only the last failing provider is reported; demo errors never are while the demo is on.
    EXPECT_EQ(errors, QStringList{QStringLiteral("Google Search Console: googleSearchConsole")});
}

TEST_F(PollCycle, TwoFailingProvidersReportTheLaterOne) {
    storeConnected({P::stripe, P::datafast});
    stripe.queueMetricsError(failure("stripe broke"));
    datafast.queueEventsError(std::make_exception_ptr(ProviderError::notConfigured()));
    datafast.setStandingMetrics({{M::datafastVisitors, 3}});
    poll();
    EXPECT_EQ(engine().lastError(), QStringLiteral("Datafast: Integration not configured."));
}

TEST_F(PollCycle, EventsFailureKeepsOldSnapshotButMovesBaseline) {
    storeConnected({P::stripe});
    storeGoals({makeGoal(P::stripe, M::customers, 10, GoalPeriod::rolling7d, "ten customers")});
    storeTriggers({makeTrigger(P::stripe, TriggerEventKind::stripeCustomers, "customer up")});
    stripe.queueMetrics({{M::customers, 5}});
    poll();
    const MetricSnapshot first = engine().snapshots().value(P::stripe);

    clock.advanceSeconds(30);
    stripe.queueMetrics({{M::customers, 12}});
    stripe.queueEventsError(failure("events down"));
    poll();
    EXPECT_EQ(engine().snapshots().value(P::stripe), first);
    EXPECT_EQ(engine().metricBaselines().value(P::stripe).values,
              (QHash<MetricKind, double>{{M::customers, 12}}));
    EXPECT_EQ(firedMessages(), QStringList{QStringLiteral("customer up")}); // no goal reaction
    EXPECT_FALSE(engine().goals().first().lastTriggeredAt);
    EXPECT_EQ(engine().lastError(), QStringLiteral("Stripe: events down"));

    // The next poll compares against the moved baseline: no second rise.
    clock.advanceSeconds(30);
    stripe.queueMetrics({{M::customers, 12}});
    poll();
    EXPECT_EQ(firedMessages(), (QStringList{QStringLiteral("customer up"), QStringLiteral("Goal!")}));
    EXPECT_EQ(engine().lastError(), std::nullopt);
}

// Within a provider: its metric rises, then its events, then its goals; providers in list order. The
// snapshots appear together at the end, while the baseline has moved before the events call.
TEST_F(PollCycle, FiringOrderAndWhenResultsBecomeVisible) {
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    storeConnected({P::stripe});
    storeGoals({makeGoal(P::stripe, M::customers, 1, GoalPeriod::rolling7d, "stripe goal"),
                makeGoal(P::demo, M::customers, 1, GoalPeriod::rolling7d, "demo goal")});
    storeTriggers({makeTrigger(P::stripe, TriggerEventKind::stripeCharge, "stripe charge"),
                   makeTrigger(P::stripe, TriggerEventKind::stripeCustomers, "stripe rise")});
    for (FakeMetricProvider* fake : {&demo, &stripe})
        fake->queueMetrics({{M::customers, 1}});
    poll(); // baselines and first goal firings
    fired.clear();
    clock.advanceSeconds(60);

    demo.queueMetrics({{M::customers, 3}});
    stripe.queueMetrics({{M::customers, 3}});
    stripe.queueEvents({charge(P::stripe, 500)});
    std::optional<bool> baselineMovedBeforeEvents;
    std::optional<bool> demoSnapshotPublishedEarly;
    stripe.setBeforeEventsReturn([&] {
        baselineMovedBeforeEvents = engine().metricBaselines().value(P::stripe).value(M::customers) == 3;
        demoSnapshotPublishedEarly = engine().snapshots().value(P::demo).value(M::customers) == 3;
    });
    poll();
    // A demo-sourced rise of customers matches no Stripe trigger (only payment-side demo events do).
    const QStringList expected = {QStringLiteral("Goal!"), QStringLiteral("stripe rise"),
                                  QStringLiteral("stripe charge"), QStringLiteral("Goal!")};
    EXPECT_EQ(firedMessages(), expected);
    ASSERT_EQ(fired.size(), 4);
    EXPECT_EQ(fired[0].subtitle, QStringLiteral("demo goal"));
    EXPECT_EQ(fired[3].subtitle, QStringLiteral("stripe goal"));
    EXPECT_EQ(baselineMovedBeforeEvents, true);
    EXPECT_EQ(demoSnapshotPublishedEarly, false);
    EXPECT_EQ(engine().snapshots().value(P::demo).value(M::customers), 3);
}

TEST_F(PollCycle, NonProviderErrorsUseTheirOwnDescription) {
    storeConnected({P::stripe});
    stripe.queueMetricsError(std::make_exception_ptr(std::runtime_error("socket closed")));
    poll();
    EXPECT_EQ(engine().lastError(), QStringLiteral("Stripe: socket closed"));
    // Even a throw of something that is no exception class ends in the error text, not a stuck poll.
    stripe.queueMetricsError(std::make_exception_ptr(42));
    poll();
    EXPECT_EQ(engine().lastError(), QStringLiteral("Stripe: Unknown error."));
    EXPECT_FALSE(engine().isPolling());
}

TEST_F(PollCycle, NoSecondPollWhileOneIsSuspended) {
    demo.setStandingMetrics({});
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    demo.metricsGate.close();
    engine().startPolling();
    ASSERT_TRUE(engine().isPolling());
    engine().startPolling();
    auto extra = engine().pollOnce();
    EXPECT_TRUE(extra.isReady());
    EXPECT_EQ(demo.metricsCalls(), 1);
    EXPECT_EQ(demo.metricsGate.waitingCount(), 1);
    EXPECT_FALSE(engine().lastPollAt());

    clock.advanceSeconds(5);
    demo.metricsGate.open();
    EXPECT_FALSE(engine().isPolling());
    EXPECT_EQ(engine().lastPollAt(), at(10, 0, 5));
    // The restarted loop polled (without effect) at 10:00:00 and sleeps 30 s from then; the old loop ended.
    clock.advanceSeconds(25);
    EXPECT_EQ(demo.metricsCalls(), 2);
    clock.advanceSeconds(60);
    EXPECT_EQ(demo.metricsCalls(), 4);
}

TEST_F(PollCycle, DemoProviderErrorsAreIgnoredWhileDemoIsOn) {
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    demo.queueMetricsError(failure("demo broke"));
    poll();
    EXPECT_EQ(engine().lastError(), std::nullopt);
}

TEST_F(PollCycle, DemoSwitchedOffDuringPollDropsItsSnapshot) {
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    demo.setStandingMetrics({{M::revenueToday, 3}});
    demo.eventsGate.close();
    auto running = engine().pollOnce();
    engine().setDemoModeEnabled(false);
    demo.eventsGate.open();
    ASSERT_TRUE(running.isReady());
    EXPECT_FALSE(engine().snapshots().contains(P::demo));
    EXPECT_FALSE(engine().metricBaselines().contains(P::demo));
}

TEST_F(PollCycle, DisconnectDuringPollIsNotUndoneByThePoll) {
    storeConnected({P::stripe});
    stripe.setStandingMetrics({{M::revenueToday, 10}});
    poll();
    ASSERT_TRUE(engine().snapshots().contains(P::stripe));
    stripe.eventsGate.close();
    auto running = engine().pollOnce();
    TestTasks::run(engine().disconnectProvider(P::stripe));
    stripe.eventsGate.open();
    ASSERT_TRUE(running.isReady());
    EXPECT_FALSE(engine().snapshots().contains(P::stripe));
}

// Quitting while a poll waits: whether the waited call then answers or fails (a cancelled request), the poll
// ends without fetching further, publishing, or reporting an error, and no poll follows.
TEST_F(PollCycle, StopEndsTheLoopAndTheSuspendedPollPublishesNothing) {
    for (const bool answers : {true, false}) {
        SCOPED_TRACE(answers ? "answers" : "fails");
        relaunch();
        storeConnected({P::stripe, P::datafast});
        stripe.setStandingMetrics({{M::revenueToday, 3}});
        datafast.setStandingMetrics({{M::revenueToday, 10}});
        if (!answers)
            stripe.queueMetricsError(failure("The request was cancelled."));
        const int stripeCalls = stripe.metricsCalls();
        const int datafastCalls = datafast.metricsCalls();
        int finished = 0;
        QObject::connect(&engine(), &AppState::pollFinished, [&finished] { ++finished; });
        stripe.metricsGate.close();
        engine().startPolling();
        ASSERT_TRUE(engine().isPolling());

        engine().stopPolling();
        stripe.metricsGate.open();
        EXPECT_FALSE(engine().isPolling());
        EXPECT_EQ(datafast.metricsCalls(), datafastCalls);
        EXPECT_TRUE(engine().snapshots().isEmpty());
        EXPECT_FALSE(engine().lastPollAt());
        EXPECT_EQ(engine().lastError(), std::nullopt);
        EXPECT_EQ(finished, 0);
        clock.advanceSeconds(120);
        EXPECT_EQ(stripe.metricsCalls(), stripeCalls + 1);
    }
}

TEST_F(PollCycle, EngineDestroyedDuringPollIsHarmless) {
    storeConnected({P::stripe});
    stripe.setStandingMetrics({});
    stripe.metricsGate.close();
    engine().startPolling();
    relaunch();
    stripe.metricsGate.open();
    clock.advanceSeconds(60);
    EXPECT_EQ(stripe.metricsCalls(), 1);
}

TEST_F(PollCycle, SourceRemovedWhileAnEarlierOneIsAwaitedIsNotFetched) {
    storeConnected({P::stripe, P::datafast});
    stripe.setStandingMetrics({{M::revenueToday, 10}});
    stripe.eventsGate.close();
    auto running = engine().pollOnce();
    TestTasks::run(engine().disconnectProvider(P::datafast));
    stripe.eventsGate.open();
    ASSERT_TRUE(running.isReady());
    EXPECT_EQ(datafast.metricsCalls(), 0);
    EXPECT_EQ(engine().lastError(), std::nullopt);
    EXPECT_FALSE(engine().snapshots().contains(P::datafast));
}

TEST_F(PollCycle, SourceRemovedDuringItsOwnFetchFiresNothing) {
    storeConnected({P::datafast});
    storeGoals({makeGoal(P::datafast, M::datafastVisitors, 5, GoalPeriod::rolling7d, "five visitors")});
    datafast.queueMetrics({{M::datafastVisitors, 10}});
    datafast.eventsGate.close();
    auto running = engine().pollOnce();
    TestTasks::run(engine().disconnectProvider(P::datafast));
    datafast.eventsGate.open();
    ASSERT_TRUE(running.isReady());
    EXPECT_TRUE(fired.isEmpty());
    EXPECT_FALSE(engine().goals().first().lastTriggeredAt);
}

// A member the service left out of one answer was unknown, not zero: its return is no rise.
TEST_F(PollCycle, AFigureMissingForOnePollFiresNothingWhenItReturns) {
    storeConnected({P::datafast});
    storeTriggers({makeTrigger(P::datafast, TriggerEventKind::datafastRevenue, "revenue up"),
                   makeTrigger(P::datafast, TriggerEventKind::datafastVisitors, "visitors up")});
    datafast.queueMetrics({{M::datafastVisitors, 10}, {M::datafastRevenue, 500}});
    datafast.queueMetrics({{M::datafastVisitors, 10}});
    datafast.queueMetrics({{M::datafastVisitors, 12}, {M::datafastRevenue, 500}});
    for (int i = 0; i < 3; ++i) {
        poll();
        clock.advanceSeconds(30);
    }
    EXPECT_EQ(firedMessages(), QStringList{QStringLiteral("visitors up")});
}

} // namespace
