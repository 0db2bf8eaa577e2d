#include "engine_fixture.h"
#include "support/run_task.h"

namespace {

using P = IntegrationProvider;
using M = MetricKind;
using K = TriggerEventKind;

class TriggerEvaluation : public EngineTest {};

TEST_F(TriggerEvaluation, EveryEnabledMatchingTriggerFires) {
    storeConnected({P::stripe});
    storeTriggers({makeTrigger(P::stripe, K::stripeCharge, "one"),
                   makeTrigger(P::stripe, K::stripeRefund, "refund"),
                   makeTrigger(P::stripe, K::stripeCharge, "off", 0, false),
                   makeTrigger(P::stripe, K::stripeCharge, "two")});
    stripe.setStandingMetrics({});
    stripe.queueEvents({charge(P::stripe, 1999, "ann@example.com")});
    poll();
    EXPECT_EQ(firedMessages(), (QStringList{QStringLiteral("one"), QStringLiteral("two")}));
    ASSERT_EQ(fired.size(), 2);
    EXPECT_EQ(fired[0].subtitle, QStringLiteral("ann@example.com"));
    EXPECT_EQ(fired[0].details->formattedAmount(), QStringLiteral("$19.99"));
}

TEST_F(TriggerEvaluation, CooldownIsMeasuredInWallTimePerTrigger) {
    storeConnected({P::stripe});
    storeTriggers({makeTrigger(P::stripe, K::stripeCharge, "sixty", 60),
                   makeTrigger(P::stripe, K::stripeCharge, "none", 0),
                   makeTrigger(P::stripe, K::stripeCharge, "negative", -5)});
    stripe.setStandingMetrics({});
    const struct {
        double advance;
        QStringList fires;
    } steps[] = {
        {0, {QStringLiteral("sixty"), QStringLiteral("none"), QStringLiteral("negative")}},
        {59, {QStringLiteral("none"), QStringLiteral("negative")}},
        {1, {QStringLiteral("sixty"), QStringLiteral("none"), QStringLiteral("negative")}},
    };
    for (const auto& step : steps) {
        clock.advanceSeconds(step.advance);
        fired.clear();
        stripe.queueEvents({charge(P::stripe, 500)});
        poll();
        EXPECT_EQ(firedMessages(), step.fires) << "after " << step.advance;
    }
    // Two events in one poll: the cooldown applies between them too.
    clock.advanceSeconds(60);
    fired.clear();
    stripe.queueEvents({charge(P::stripe, 500), charge(P::stripe, 700)});
    poll();
    EXPECT_EQ(firedMessages(),
              (QStringList{QStringLiteral("sixty"), QStringLiteral("none"), QStringLiteral("negative"),
                           QStringLiteral("none"), QStringLiteral("negative")}));
}

TEST_F(TriggerEvaluation, StripeEventAfterDisconnectInTheSamePollFiresNothing) {
    storeConnected({P::stripe});
    storeTriggers({makeTrigger(P::stripe, K::stripeCharge, "charge")});
    stripe.setStandingMetrics({});
    stripe.queueEvents({charge(P::stripe, 500)});
    stripe.setBeforeEventsReturn([this] { engine().disconnectProvider(P::stripe); });
    poll();
    EXPECT_TRUE(firedMessages().isEmpty());
}

TEST_F(TriggerEvaluation, DemoPurchasesFireStripeTriggersOnlyWhileDemoIsOn) {
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    storeTriggers({makeTrigger(P::stripe, K::stripeCharge, "stripe charge"),
                   makeTrigger(P::demo, K::stripeCharge, "demo charge"),
                   makeTrigger(P::googleAnalytics, K::stripeCharge, "ga charge")});
    demo.setStandingMetrics({});
    demo.queueEvents({charge(P::demo, 900)});
    poll(); // Stripe is not connected: the demo stands in for it
    EXPECT_EQ(firedMessages(), (QStringList{QStringLiteral("stripe charge"), QStringLiteral("demo charge")}));

    fired.clear();
    demo.queueEvents({charge(P::demo, 900)});
    demo.setBeforeEventsReturn([this] { engine().setDemoModeEnabled(false); });
    auto task = engine().pollOnce();
    EXPECT_TRUE(task.isReady());
    EXPECT_TRUE(firedMessages().isEmpty());
}

TEST_F(TriggerEvaluation, DemoEventsReachOnlyStripeAndDemoTriggersWhateverStripesConnection) {
    const struct {
        const char* name;
        bool stripeConnected;
        ProviderEvent event;
        QStringList fires;
    } cases[] = {
        {"purchase, Stripe off",
         false,
         charge(P::demo, 900),
         {QStringLiteral("stripe charge"), QStringLiteral("demo charge")}},
        {"purchase, Stripe on",
         true,
         charge(P::demo, 900),
         {QStringLiteral("stripe charge"), QStringLiteral("demo charge")}},
        // Only payment-side events stand in for Stripe; a demo-sourced metric rise needs a demo trigger.
        {"metric rise from the demo itself",
         true,
         ProviderEvent::metricIncrease(
             P::demo, MetricIncreaseEvent{K::stripeCustomers, M::customers, 2, 9, false}, at(10, 0)),
         {QStringLiteral("demo customers")}},
    };
    for (const auto& c : cases) {
        relaunch();
        storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
        storeConnected(c.stripeConnected ? QList<P>{P::stripe} : QList<P>{});
        storeTriggers({makeTrigger(P::stripe, K::stripeCharge, "stripe charge"),
                       makeTrigger(P::datafast, K::stripeCharge, "datafast charge"),
                       makeTrigger(P::demo, K::stripeCharge, "demo charge"),
                       makeTrigger(P::stripe, K::stripeCustomers, "stripe customers"),
                       makeTrigger(P::demo, K::stripeCustomers, "demo customers")});
        demo.setStandingMetrics({});
        stripe.setStandingMetrics({});
        demo.queueEvents({c.event});
        poll();
        EXPECT_EQ(firedMessages(), c.fires) << c.name;
    }
}

TEST_F(TriggerEvaluation, DemoMetricRisesOnlyFireForActiveProviders) {
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    storeTriggers({makeTrigger(P::googleAnalytics, K::gaSessions, "ga sessions"),
                   makeTrigger(P::stripe, K::stripeCustomers, "stripe customers")});
    demo.setStandingMetrics({});
    const MetricIncreaseEvent sessions{K::gaSessions, M::sessions, 3, 30, false};
    const MetricIncreaseEvent customers{K::stripeCustomers, M::customers, 1, 8, false};
    demo.queueEvents({ProviderEvent::metricIncrease(P::googleAnalytics, sessions, at(10, 0)),
                      ProviderEvent::metricIncrease(P::stripe, customers, at(10, 0))});
    poll();
    // Neither Google Analytics nor Stripe is connected, and only Stripe kinds of the demo provider stand in.
    EXPECT_TRUE(firedMessages().isEmpty());

    relaunch();
    storeConnected({P::stripe});
    demo.queueEvents({ProviderEvent::metricIncrease(P::googleAnalytics, sessions, at(10, 0)),
                      ProviderEvent::metricIncrease(P::stripe, customers, at(10, 0))});
    stripe.setStandingMetrics({});
    poll();
    EXPECT_EQ(firedMessages(), QStringList{QStringLiteral("stripe customers")});
    EXPECT_EQ(fired.first().subtitle,
              QStringLiteral("+1 ") + MetricKinds::displayName(M::customers).toLower());
}

TEST_F(TriggerEvaluation, ThreeReactionsInOnePollEachLeaveAfterTheirDuration) {
    storeConnected({P::stripe});
    storeSettings([](AppSettings& s) { s.reactionDurationSeconds = 4; });
    storeTriggers({makeTrigger(P::stripe, K::stripeCharge, "a"), makeTrigger(P::stripe, K::stripeCharge, "b"),
                   makeTrigger(P::stripe, K::stripeCharge, "c")});
    stripe.setStandingMetrics({});
    stripe.queueEvents({charge(P::stripe, 100)});
    poll();
    EXPECT_EQ(shownMessages(), (QStringList{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")}));
    // The display time is read at firing: a later change does not shorten these.
    AppSettings settings = engine().settings();
    settings.reactionDurationSeconds = 1;
    engine().setSettings(settings);
    clock.advanceSeconds(3.9);
    EXPECT_EQ(shownMessages().size(), 3);
    clock.advanceSeconds(0.1);
    EXPECT_TRUE(shownMessages().isEmpty());
}

} // namespace
