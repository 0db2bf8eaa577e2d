#include "model/system_random_source.h"
#include "model/tavik_event_catalog.h"
#include "providers/demo/demo_provider.h"
#include "support/fake_clock.h"
#include "support/run_task.h"
#include "support/scripted_random_source.h"

#include <QRegularExpression>
#include <gtest/gtest.h>

namespace {

using M = MetricKind;

class DemoProviderTest : public ::testing::Test {
protected:
    FakeClock clock;
    ScriptedRandomSource random;
    DemoProvider demo{clock, random};

    // Moves past the 45-second gate so the next call produces a batch.
    void openGate() { clock.advanceSeconds(46); }
    // Fraction that makes uniformInt/index pick `index` of `count`.
    static double indexFraction(qsizetype index, qsizetype count) {
        return count <= 1 ? 0.0 : double(index) / double(count - 1);
    }
};

TEST_F(DemoProviderTest, FirstSnapshotStaysWithinTheDriftRanges) {
    for (double fraction : {0.0, 0.5, 1.0}) {
        FakeClock c;
        ScriptedRandomSource r;
        r.setFallback(fraction);
        DemoProvider fresh(c, r);
        const MetricSnapshot s = TestTasks::run(fresh.fetchMetrics());
        EXPECT_EQ(s.provider, IntegrationProvider::demo);
        EXPECT_EQ(s.values.size(), 41) << fraction;
        EXPECT_EQ(s.fetchedAt, c.now());
        EXPECT_DOUBLE_EQ(s.value(M::revenueToday), 42 + 8 * fraction);
        EXPECT_DOUBLE_EQ(s.value(M::totalVisits), 1200 + 5 * fraction);
    }
    // And with a real generator, many times over.
    SystemRandomSource system;
    for (int i = 0; i < 200; ++i) {
        FakeClock c;
        DemoProvider fresh(c, system);
        const MetricSnapshot s = fresh.nextSnapshot();
        ASSERT_GE(s.value(M::revenueToday), 42);
        ASSERT_LE(s.value(M::revenueToday), 50);
        ASSERT_GE(s.value(M::totalVisits), 1200);
        ASSERT_LE(s.value(M::totalVisits), 1205);
        const double refunds = s.value(M::refundCountToday);
        ASSERT_TRUE(refunds == 0 || refunds == 1) << refunds;
    }
}

TEST_F(DemoProviderTest, EveryMetricFollowsTheTotals) {
    // Drifts: revenue +8 -> 50, sessions +3 -> 21, visitors +2 -> 16, clicks +2 -> 11, visits +5 -> 1205,
    // subscriber draw 1 -> 9, position -0.05 -> 8.15, refund draw 1 -> 1.
    random.setFallback(1.0);
    const MetricSnapshot s = demo.nextSnapshot();
    const double r = 50, se = 21, vi = 16, c = 11, sub = 9;
    const struct {
        M metric;
        double expected;
    } cases[] = {
        {M::revenueToday, r},
        {M::revenue7d, r * 4.2},
        {M::totalRevenue, r * 48},
        {M::mrr, r * 12},
        {M::recurringMrr, r * 8},
        {M::arr, r * 96},
        {M::customers, sub + 4},
        {M::trials, 2},
        {M::subscribers, sub},
        {M::newSubscribers, 1},
        {M::charges, 1},
        {M::purchaseCountToday, 1},
        {M::refundCountToday, 1},
        {M::totalVisits, 1205},
        {M::sessions, se},
        {M::sessionsYesterday, se * 0.9},
        {M::sessions7d, se * 5},
        {M::pageviews, se * 2.5},
        {M::users, se * 0.7},
        {M::usersYesterday, se * 0.65},
        {M::users7d, se * 4},
        {M::usersGrowth, 12.5},
        {M::newUsers, se * 0.4},
        {M::signups, 3},
        {M::engagedSessions, se * 0.6},
        {M::activeUsers, 5},
        {M::sessionsToday, se},
        {M::usersToday, se * 0.7},
        {M::pageviewsToday, se * 2.5},
        {M::datafastSessions, se * 0.8},
        {M::datafastVisitors, vi},
        {M::datafastRevenue, r * 0.6},
        {M::datafastGoals, 3},
        {M::visitorsToday, vi},
        {M::goalCompletionsToday, 3},
        {M::clicks, c},
        {M::impressions, c * 14},
        {M::avgPosition, 8.15},
        {M::ctr, 100.0 / 14},
        {M::clicksToday, c},
        {M::impressionsToday, c * 14},
    };
    ASSERT_EQ(std::size(cases), MetricKinds::allCases().size());
    for (const auto& c : cases) {
        ASSERT_TRUE(s.values.contains(c.metric)) << MetricKinds::rawValue(c.metric).toStdString();
        EXPECT_NEAR(s.values.value(c.metric), c.expected, 1e-9)
            << MetricKinds::rawValue(c.metric).toStdString();
    }
}

TEST_F(DemoProviderTest, SubscribersGrowOnlyAboveTheThreshold) {
    const struct {
        double draw;
        double expected;
    } cases[] = {{0.0, 8}, {0.85, 8}, {0.8501, 9}, {1.0, 9}};
    for (const auto& c : cases) {
        FakeClock cl;
        ScriptedRandomSource r;
        r.queueFractions({0, 0, 0, 0, 0, c.draw});
        DemoProvider fresh(cl, r);
        EXPECT_EQ(fresh.nextSnapshot().value(M::subscribers), c.expected) << c.draw;
    }
}

TEST_F(DemoProviderTest, RefundCountIsTheRoundedDraw) {
    const struct {
        double draw;
        double expected;
    } cases[] = {{0.0, 0}, {0.49, 0}, {0.5, 1}, {1.0, 1}};
    for (const auto& c : cases) {
        random.queueFractions({0, 0, 0, 0, 0, 0, 0, c.draw});
        EXPECT_EQ(demo.nextSnapshot().value(M::refundCountToday), c.expected) << c.draw;
    }
}

TEST_F(DemoProviderTest, AveragePositionNeverFallsBelowOne) {
    random.setFallback(1.0); // the largest drop every time
    double previous = 8.2;
    for (int poll = 0; poll < 300; ++poll) {
        const double position = demo.nextSnapshot().value(M::avgPosition);
        ASSERT_GE(position, 1.0) << poll;
        ASSERT_LE(position, previous) << poll;
        previous = position;
    }
    EXPECT_EQ(previous, 1.0);
}

TEST_F(DemoProviderTest, ClickThroughRateIsAlwaysOneFourteenth) {
    for (double fraction : {0.0, 0.3, 1.0}) {
        random.setFallback(fraction);
        for (int poll = 0; poll < 20; ++poll) {
            const MetricSnapshot s = demo.nextSnapshot();
            ASSERT_NEAR(s.value(M::ctr), 100.0 / 14, 1e-9);
            ASSERT_DOUBLE_EQ(s.value(M::impressions), s.value(M::clicks) * 14);
        }
    }
}

TEST_F(DemoProviderTest, DisplaySummaryRoundsToWholeNumbers) {
    const struct {
        double revenue;
        double sessions;
        const char* expected;
    } cases[] = {
        {42.4, 18.6, "Demo: $42 \u00B7 19 sessions"},
        {0, 0, "Demo: $0 \u00B7 0 sessions"},
        {1234.56, 99.5, "Demo: $1235 \u00B7 100 sessions"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DemoProvider::displaySummary(c.revenue, c.sessions), QString::fromUtf8(c.expected));

    // The snapshot uses the totals after drifting: 42 + 0.05 * 8 and 18 + 0.2 * 3.
    random.queueFractions({0.05, 0.2});
    EXPECT_EQ(demo.nextSnapshot().displaySummary, QString::fromUtf8("Demo: $42 \u00B7 19 sessions"));
}

TEST_F(DemoProviderTest, EventsComeAtMostOncePerFortyFiveSeconds) {
    const QDateTime created = clock.now();
    EXPECT_EQ(demo.lastEventAt(), created);

    clock.advanceSeconds(45); // exactly 45 s is still too soon
    EXPECT_TRUE(TestTasks::run(demo.fetchEvents(created)).isEmpty());
    EXPECT_EQ(demo.lastEventAt(), created);
    EXPECT_EQ(random.draws(), 0);

    clock.advance(std::chrono::milliseconds(1));
    const QDateTime first = clock.now();
    EXPECT_FALSE(demo.nextEvents().isEmpty()); // tails: a purchase
    EXPECT_EQ(demo.lastEventAt(), first);

    const int drawsAfterBatch = random.draws();
    clock.advanceSeconds(30);
    EXPECT_TRUE(demo.nextEvents().isEmpty());
    EXPECT_EQ(demo.lastEventAt(), first);
    EXPECT_EQ(random.draws(), drawsAfterBatch);
}

TEST_F(DemoProviderTest, BatchCompositionAndOrder) {
    // Draws: coin (0 tails, 1 heads), [refund draw], transaction details, stripe-event draw, [its kind and
    // amount], metric draw, [row, delta, total].
    using K = TriggerEventKind;
    const struct {
        const char* name;
        QList<double> draws;
        QList<K> expected;
    } cases[] = {
        {"purchase only", {0, 0, 0, 0, 0, 0, 1, 1}, {K::stripeCharge}},
        {"refund", {1, 0.2, 0, 0, 1, 1}, {K::stripeRefund}},
        {"heads without refund", {1, 0.25, 1, 1}, {}},
        {"purchase, checkout, metric",
         {0, 0, 0, 0, 0, 0, 0.19, 0, 0, 0.34, 0, 0, 0},
         {K::stripeCharge, K::stripeCheckoutComplete, TavikEventCatalog::all().at(0).kind}},
        {"stripe event alone", {1, 0.9, 0, 1, 1}, {K::stripeSubscriptionCanceled}},
    };
    // The first catalog row with a metric, for the metric case.
    K firstMetricKind = K::stripeCharge;
    for (const TavikEventDefinition& d : TavikEventCatalog::all()) {
        if (d.metricKind) {
            firstMetricKind = d.kind;
            break;
        }
    }
    for (const auto& c : cases) {
        FakeClock cl;
        ScriptedRandomSource r;
        r.setFallback(1.0);
        r.queueFractions(c.draws);
        DemoProvider fresh(cl, r);
        cl.advanceSeconds(46);
        const QList<ProviderEvent> events = fresh.nextEvents();
        QList<K> expected = c.expected;
        if (expected.size() == 3)
            expected[2] = firstMetricKind;
        QList<K> kinds;
        for (const ProviderEvent& e : events) {
            kinds.append(e.eventKind());
            EXPECT_EQ(e.occurredAt, cl.now()) << c.name;
        }
        EXPECT_EQ(kinds, expected) << c.name;
    }
}

TEST_F(DemoProviderTest, PurchaseDetailsDeriveTheEmailFromTheName) {
    const char* names[][2] = {{"Alex Chen", "alex.chen"},
                              {"Sarah Miller", "sarah.miller"},
                              {"Jordan Lee", "jordan.lee"},
                              {"Morgan Blake", "morgan.blake"},
                              {"Taylor Kim", "taylor.kim"}};
    const QRegularExpression chargeId(QStringLiteral("^demo_ch_[0-9A-F]{8}$"));
    for (int i = 0; i < 5; ++i) {
        random.queueFractions({double(i % 2), double(i % 2), indexFraction(i, 5), 0, 1});
        const StripeTransactionDetails tx = demo.randomDemoPurchaseDetails();
        EXPECT_EQ(tx.customerName, QString::fromUtf8(names[i][0]));
        EXPECT_EQ(tx.customerEmail, QString::fromUtf8(names[i][1]) + QStringLiteral("@example.com"));
        EXPECT_EQ(tx.amountCents, i % 2 ? 14900 : 900);
        EXPECT_EQ(tx.chargeId,
                  i % 2 ? QStringLiteral("demo_ch_FFFFFFFF") : QStringLiteral("demo_ch_00000000"));
        EXPECT_TRUE(chargeId.match(tx.chargeId).hasMatch()) << tx.chargeId.toStdString();
        EXPECT_EQ(tx.productName, QStringLiteral("Zingboard Pro"));
        EXPECT_EQ(tx.planOrPackage, QStringLiteral("Starter pack"));
        EXPECT_FALSE(tx.isRefund);
        EXPECT_FALSE(tx.headline.has_value());
    }
}

TEST_F(DemoProviderTest, RefundDetailsAreAlwaysJamie) {
    SystemRandomSource system;
    DemoProvider real(clock, system);
    for (int i = 0; i < 100; ++i) {
        const StripeTransactionDetails tx = real.randomDemoRefundDetails();
        ASSERT_EQ(tx.customerName, QStringLiteral("Jamie Refund"));
        ASSERT_EQ(tx.customerEmail, DemoProvider::refundEmail());
        ASSERT_GE(tx.amountCents, 900);
        ASSERT_LE(tx.amountCents, 4900);
        ASSERT_TRUE(tx.isRefund);
        ASSERT_EQ(tx.productName, QStringLiteral("Zingboard Pro"));
        ASSERT_EQ(tx.planOrPackage, QStringLiteral("Monthly"));
        ASSERT_FALSE(tx.headline.has_value());
        ASSERT_TRUE(tx.chargeId.startsWith(QStringLiteral("demo_ch_")));
        ASSERT_EQ(tx.chargeId.size(), 16);
    }
    // The three fixed addresses are told apart.
    const QStringList addresses = {DemoProvider::refundEmail(), DemoProvider::subscriberEmail(),
                                   DemoProvider::checkoutEmail()};
    EXPECT_EQ(QSet<QString>(addresses.begin(), addresses.end()).size(), 3);
}

TEST_F(DemoProviderTest, StripeLikeEventsCarryTheirFixedDetails) {
    using K = TriggerEventKind;
    const std::optional<QString> none;
    auto t = [](const char* s) { return std::optional<QString>(QString::fromUtf8(s)); };
    const struct {
        K kind;
        qint64 cents;
        const char* chargeId;
        std::optional<QString> name, email, product, plan;
        bool isRefund;
        const char* headline;
    } cases[] = {
        {K::stripeCheckoutComplete, 9900, "demo_checkout", t("Checkout User"), DemoProvider::checkoutEmail(),
         t("Lifetime Deal"), none, false, "Checkout completed"},
        {K::stripeNewSubscription, 1900, "demo_sub_new", none, DemoProvider::subscriberEmail(),
         t("Zingboard Pro"), t("Monthly"), false, "New subscriber"},
        {K::stripeSubscriptionRenewal, 1900, "demo_sub_renew", none, DemoProvider::subscriberEmail(),
         t("Zingboard Pro"), t("Monthly"), false, "Subscription renewed"},
        {K::stripeSubscriptionUpdated, 0, "demo_sub_update", none, none, t("Subscription updated"),
         t("Annual"), false, "Plan changed"},
        {K::stripeSubscriptionCanceled, 0, "demo_sub_cancel", none, none, t("Subscription canceled"), none,
         true, "Customer churned"},
    };
    for (int i = 0; i < 5; ++i) {
        const auto& c = cases[i];
        FakeClock cl;
        ScriptedRandomSource r;
        // heads, no refund, stripe event of kind i (checkout amount at the top of its range), no metric.
        r.queueFractions({1, 0.5, 0, indexFraction(i, 5), 1, 1});
        r.setFallback(1.0);
        DemoProvider fresh(cl, r);
        cl.advanceSeconds(60);
        const QList<ProviderEvent> events = fresh.nextEvents();
        ASSERT_EQ(events.size(), 1) << i;
        const ProviderEvent::Stripe* s = events[0].stripeKind();
        ASSERT_NE(s, nullptr);
        EXPECT_EQ(events[0].provider, IntegrationProvider::demo);
        EXPECT_EQ(s->eventKind, c.kind) << i;
        const StripeTransactionDetails& tx = s->details;
        EXPECT_EQ(tx.amountCents, c.cents) << i;
        EXPECT_EQ(tx.chargeId, QString::fromUtf8(c.chargeId));
        EXPECT_EQ(tx.customerName, c.name) << i;
        EXPECT_EQ(tx.customerEmail, c.email) << i;
        EXPECT_EQ(tx.productName, c.product) << i;
        EXPECT_EQ(tx.planOrPackage, c.plan) << i;
        EXPECT_EQ(tx.isRefund, c.isRefund) << i;
        EXPECT_EQ(tx.headline, t(c.headline)) << i;
    }
}

TEST_F(DemoProviderTest, MetricIncreaseCarriesTheCatalogRowsProvider) {
    QList<TavikEventDefinition> rows;
    for (const TavikEventDefinition& d : TavikEventCatalog::all()) {
        if (d.metricKind)
            rows.append(d);
    }
    ASSERT_FALSE(rows.isEmpty());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        FakeClock cl;
        ScriptedRandomSource r;
        // heads, no refund, no stripe event, a metric event of row i, delta 8, total 8 + 10.
        r.queueFractions({1, 0.5, 0.5, 0, indexFraction(i, rows.size()), 1, 0});
        DemoProvider fresh(cl, r);
        cl.advanceSeconds(60);
        const QList<ProviderEvent> events = fresh.nextEvents();
        ASSERT_EQ(events.size(), 1) << i;
        const MetricIncreaseEvent* rise = events[0].metricIncreaseKind();
        ASSERT_NE(rise, nullptr);
        EXPECT_EQ(events[0].provider, rows[i].provider) << i;
        EXPECT_NE(events[0].provider, IntegrationProvider::demo);
        EXPECT_EQ(rise->eventKind, rows[i].kind);
        EXPECT_EQ(rise->metric, *rows[i].metricKind);
        EXPECT_EQ(rise->lowerIsBetter, *rows[i].metricKind == M::avgPosition);
        EXPECT_DOUBLE_EQ(rise->delta, 8);
        EXPECT_DOUBLE_EQ(rise->totalValue, 18);
    }
}

} // namespace
