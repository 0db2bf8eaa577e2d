#include "model/credential_accounts.h"
#include "net/transport_error.h"
#include "providers/provider_error.h"
#include "providers/stripe/stripe_metric_values.h"
#include "providers/stripe/subscription_stats.h"
#include "stripe_test_support.h"
#include "support/event_loop_wait.h"
#include "support/run_task.h"

#include <QJsonDocument>
#include <gtest/gtest.h>

using namespace StripeTesting;

namespace {

QList<QJsonObject> objects(const QJsonArray& array) {
    QList<QJsonObject> list;
    for (const QJsonValue& value : array)
        list.append(value.toObject());
    return list;
}

QJsonObject subscription(const char* json) {
    return QJsonDocument::fromJson(json).object();
}

const QDateTime recentStart = QDateTime::fromSecsSinceEpoch(fixtureNowSeconds - 7 * 86400, Qt::UTC);

// `count` sales of $1.00 created one second apart, newest first, all after local midnight.
QJsonArray manySales(int count) {
    QJsonArray charges;
    for (int i = 0; i < count; ++i)
        charges.append(minimalCharge(QStringLiteral("ch_bulk_%1").arg(i, 4, 10, QLatin1Char('0')), 100,
                                     fixtureNowSeconds - 1 - i));
    return charges;
}

} // namespace

// The fixture account (tests/data/stripe), worked out by hand. Now is 2026-12-07 10:00 at UTC-5.
//   today  (>= 12-07 00:00 local = 1796619600): A1 $49 sale, A2 $19.99 sale, A3 $25 paid+refunded, A4 $30
//   unpaid week   (>= 11-30 00:00 local = 1796014800): today's four, Y1 $100 (23:59 yesterday), W1 $50, W2
//   $12 (partly
//          refunded, still a sale)
//   month  (>= now - 30 days = 1794063600): the week's seven, M1 $200, M2 $8 unpaid; O1 (40 days) is out
//   revenueToday = 49 + 19.99 = 68.99; purchases 2; refunds 1 (A3)
//   revenue7d = 68.99 + 100 + 50 + 12 = 230.99
//   30-day revenue = 230.99 + 200 = 430.99 = mrr; totalRevenue = 430.99 + 4 x 230.99 = 1354.95
//   charges = 2 purchases + 9 charges in the month = 11
// Subscriptions (status=all): customers ada (2 subs), bob, cy, dee, eve, fay, gus = 7
//   active: Ada Pro $49/mo; Ada 2 items 3 x $5 + 3 x $5 = $30; Bob $120/yr = $10; Cy 2 x $10/week = $20 x 52
//   / 12 = $86.666...; Gus $90 per 3 months = $30 (+ a metered item without quantity, skipped) trialing Dee
//   (no MRR), canceled Eve, past_due Fay recurringMrr = 49 + 30 + 10 + 86.6667 + 30 = 205.6667; arr = 2468
//   trials 1; subscribers (active or trialing) 6
//   new (created >= now - 7 days, active or trialing): Ada's second (2 days), Dee (1 day), Gus (exactly 7
//   days) = 3; Cy at 8 days and canceled Eve at 3 days are not
TEST(StripeMetrics, FixtureAccountMatchesTheHandComputation) {
    const FakeStripeService service = FakeStripeService::fixtureAccount();
    ProviderHarness h;
    h.scripted.setHandler([&](const HttpRequest& r) { return service.respond(r); });
    const MetricSnapshot snapshot = TestTasks::run(h.provider.fetchMetrics());

    const double recurring = 49.0 + 30.0 + 10.0 + 20.0 * 52.0 / 12.0 + 30.0;
    const QHash<MetricKind, double> expected = {
        {MetricKind::revenueToday, 68.99},
        {MetricKind::revenue7d, 230.99},
        {MetricKind::purchaseCountToday, 2},
        {MetricKind::refundCountToday, 1},
        {MetricKind::totalRevenue, 1354.95},
        {MetricKind::mrr, 430.99},
        {MetricKind::recurringMrr, recurring},
        {MetricKind::arr, recurring * 12.0},
        {MetricKind::customers, 7},
        {MetricKind::trials, 1},
        {MetricKind::subscribers, 6},
        {MetricKind::newSubscribers, 3},
        {MetricKind::charges, 11},
    };
    EXPECT_EQ(snapshot.provider, IntegrationProvider::stripe);
    ASSERT_EQ(snapshot.values.size(), 13);
    for (auto it = expected.begin(); it != expected.end(); ++it)
        EXPECT_NEAR(snapshot.value(it.key()), it.value(), 1e-9)
            << MetricKinds::rawValue(it.key()).toStdString();
    EXPECT_NEAR(recurring, 205.6666666667, 1e-9);
    EXPECT_EQ(snapshot.displaySummary, QStringLiteral("$69 today \u00B7 6 subs"));
    EXPECT_EQ(snapshot.fetchedAt, fixtureNow());

    // Windows: local midnight, the start of the day seven days back, and now minus thirty days.
    ASSERT_EQ(h.scripted.requests().size(), 4);
    const QStringList since = {
        queryValues(h.scripted.requests()[0].url, QStringLiteral("created[gte]")).value(0),
        queryValues(h.scripted.requests()[1].url, QStringLiteral("created[gte]")).value(0),
        queryValues(h.scripted.requests()[2].url, QStringLiteral("created[gte]")).value(0)};
    EXPECT_EQ(since, (QStringList{QStringLiteral("1796619600"), QStringLiteral("1796014800"),
                                  QStringLiteral("1794063600")}));
    EXPECT_EQ(h.scripted.requests()[3].url.path(), QStringLiteral("/v1/subscriptions"));
}

TEST(StripeMetrics, EmptyAccountGivesZeros) {
    FakeStripeService service;
    service.secretKey = QStringLiteral("sk_test_fixture");
    ProviderHarness h;
    h.scripted.setHandler([&](const HttpRequest& r) { return service.respond(r); });
    const MetricSnapshot snapshot = TestTasks::run(h.provider.fetchMetrics());
    ASSERT_EQ(snapshot.values.size(), 13);
    for (auto it = snapshot.values.begin(); it != snapshot.values.end(); ++it)
        EXPECT_EQ(it.value(), 0.0) << MetricKinds::rawValue(it.key()).toStdString();
    EXPECT_EQ(snapshot.displaySummary, QStringLiteral("$0 today \u00B7 0 subs"));
}

TEST(StripeMetrics, SubscriptionsRefusedForTheKeyGiveZerosOtherRefusalsFailWithTheBody) {
    const FakeStripeService service = FakeStripeService::fixtureAccount();
    const QByteArray refusal =
        R"({"error":{"type":"invalid_request_error","message":"This key lacks permission"}})";

    // A key without access to subscriptions keeps the zeros; a passing failure must not publish them.
    for (const int status : {401, 403, 429, 500, 503}) {
        const bool keepsZeros = status == 401 || status == 403;
        ProviderHarness subsRefused;
        subsRefused.scripted.setHandler([&](const HttpRequest& r) {
            if (r.url.path() == QLatin1String("/v1/subscriptions"))
                return HttpResponse{status, {}, refusal};
            return service.respond(r);
        });
        if (!keepsZeros) {
            EXPECT_EQ(TestTasks::failureOf(subsRefused.provider.fetchMetrics()), QString::fromUtf8(refusal))
                << status;
            continue;
        }
        const MetricSnapshot snapshot = TestTasks::run(subsRefused.provider.fetchMetrics());
        for (MetricKind kind : {MetricKind::recurringMrr, MetricKind::arr, MetricKind::customers,
                                MetricKind::trials, MetricKind::subscribers, MetricKind::newSubscribers})
            EXPECT_EQ(snapshot.value(kind), 0.0) << MetricKinds::rawValue(kind).toStdString();
        EXPECT_NEAR(snapshot.value(MetricKind::revenueToday), 68.99, 1e-9);
        EXPECT_EQ(snapshot.displaySummary, QStringLiteral("$69 today \u00B7 0 subs"));
    }

    // Any one of the three charge listings refused fails the poll with the service's body as the text.
    for (int refusedListing = 0; refusedListing < 3; ++refusedListing) {
        ProviderHarness chargesRefused;
        int chargeListings = 0;
        chargesRefused.scripted.setHandler([&](const HttpRequest& r) {
            if (r.url.path() == QLatin1String("/v1/charges") && chargeListings++ == refusedListing)
                return HttpResponse{400, {}, refusal};
            return service.respond(r);
        });
        try {
            TestTasks::run(chargesRefused.provider.fetchMetrics());
            ADD_FAILURE() << "no error for listing " << refusedListing;
        } catch (const ProviderError& e) {
            EXPECT_EQ(e.errorCase(), ProviderError::Case::apiError);
            EXPECT_EQ(e.description(), QString::fromUtf8(refusal));
        }
    }
}

TEST(StripeMetrics, SubscriptionTransportAndParseFailuresFailThePoll) {
    const FakeStripeService service = FakeStripeService::fixtureAccount();
    for (bool transport : {true, false}) {
        ProviderHarness h;
        h.scripted.setHandler([&](const HttpRequest& r) {
            if (r.url.path() == QLatin1String("/v1/subscriptions")) {
                if (transport)
                    throw TransportError(QStringLiteral("The network connection was lost."));
                return HttpResponse{200, {}, "<html>maintenance</html>"};
            }
            return service.respond(r);
        });
        EXPECT_ANY_THROW(TestTasks::run(h.provider.fetchMetrics())) << transport;
    }
}

TEST(StripeMetrics, PagesThroughBusyAccountsUpToTenPages) {
    const struct {
        int sales;
        int expectedCount;
        int requestsPerListing;
    } cases[] = {
        {100, 100, 1}, {101, 101, 2}, {250, 250, 3}, {1100, 1000, 10}, // capped
    };
    for (const auto& c : cases) {
        FakeStripeService service;
        service.secretKey = QStringLiteral("sk_test_fixture");
        service.charges = manySales(c.sales);
        ProviderHarness h;
        h.scripted.setHandler([&](const HttpRequest& r) { return service.respond(r); });
        const MetricSnapshot snapshot = TestTasks::run(h.provider.fetchMetrics());
        EXPECT_EQ(snapshot.value(MetricKind::purchaseCountToday), c.expectedCount) << c.sales;
        EXPECT_NEAR(snapshot.value(MetricKind::revenueToday), c.expectedCount * 1.0, 1e-6) << c.sales;
        // Three charge listings plus one page of (no) subscriptions.
        EXPECT_EQ(h.scripted.requests().size(), 3 * c.requestsPerListing + 1) << c.sales;
        // The scripted client answers at once, so the first listing pages through before the next starts.
        if (c.requestsPerListing > 1) {
            EXPECT_EQ(queryValues(h.scripted.requests()[1].url, QStringLiteral("starting_after")),
                      QStringList{QStringLiteral("ch_bulk_0099")})
                << c.sales;
        }
    }
}

TEST(StripeMetrics, PagesThroughSubscriptions) {
    FakeStripeService service;
    service.secretKey = QStringLiteral("sk_test_fixture");
    for (int i = 0; i < 150; ++i) {
        service.subscriptions.append(
            QJsonObject{{QStringLiteral("id"), QStringLiteral("sub_%1").arg(i)},
                        {QStringLiteral("customer"), QStringLiteral("cus_%1").arg(i % 120)},
                        {QStringLiteral("status"), QStringLiteral("active")},
                        {QStringLiteral("created"), double(fixtureNowSeconds - 30 * 86400)}});
    }
    ProviderHarness h;
    h.scripted.setHandler([&](const HttpRequest& r) { return service.respond(r); });
    const MetricSnapshot snapshot = TestTasks::run(h.provider.fetchMetrics());
    EXPECT_EQ(snapshot.value(MetricKind::subscribers), 150);
    EXPECT_EQ(snapshot.value(MetricKind::customers), 120);
}

TEST(StripeMetrics, MissingKeySendsNothing) {
    // Absent, empty and blank keys alike; blanks are what a key set by hand may leave behind.
    for (const std::optional<QString>& key : {std::optional<QString>(), std::optional<QString>(QString()),
                                              std::optional(QStringLiteral(" \r\n"))}) {
        ProviderHarness h;
        h.credentials.remove(CredentialAccounts::stripeSecretKey());
        if (key)
            h.setKey(*key);
        try {
            TestTasks::run(h.provider.fetchMetrics());
            ADD_FAILURE() << "no error";
        } catch (const ProviderError& e) {
            EXPECT_EQ(e.errorCase(), ProviderError::Case::notConfigured);
        }
        EXPECT_TRUE(h.scripted.requests().isEmpty());
    }
}

TEST(StripeMetrics, StoredKeyIsSentTrimmed) {
    // The key check passes a key with a line break after it, so polling must not send the break.
    ProviderHarness h;
    h.setKey(QStringLiteral(" sk_test_fixture\n"));
    h.scripted.setHandler([](const HttpRequest&) { return HttpResponse{200, {}, listBody({})}; });
    TestTasks::run(h.provider.fetchMetrics());
    ASSERT_EQ(h.scripted.requests().size(), 4);
    for (const HttpRequest& request : h.scripted.requests())
        EXPECT_EQ(request.header("Authorization"), QByteArrayLiteral("Bearer sk_test_fixture"));
}

TEST(StripeMetricsConcurrency, RunsTheListingsInTwoConcurrentPairs) {
    const FakeStripeService service = FakeStripeService::fixtureAccount();
    GatedHttpClient http;
    ProviderHarness h(&http);
    auto task = h.provider.fetchMetrics();
    // The key is read on the keyring's worker first.
    spinUntil([&http] { return http.sentCount() > 0; }, std::chrono::seconds(20));

    ASSERT_EQ(http.sentCount(), 2); // today and week, both in flight
    http.answer(1, service);
    EXPECT_EQ(http.sentCount(), 2); // the second pair waits for the first
    http.answer(0, service);
    ASSERT_EQ(http.sentCount(), 4); // month and subscriptions together
    EXPECT_EQ(http.request(2).url.path(), QStringLiteral("/v1/charges"));
    EXPECT_EQ(http.request(3).url.path(), QStringLiteral("/v1/subscriptions"));
    http.answer(3, service);
    EXPECT_FALSE(task.isReady());
    http.answer(2, service);
    ASSERT_TRUE(task.isReady());
    EXPECT_NEAR(TestTasks::run(std::move(task)).value(MetricKind::totalRevenue), 1354.95, 1e-9);
}

TEST(StripeMetricsConcurrency, AFailureWaitsForItsSiblingAndStopsItsPaging) {
    const FakeStripeService service = FakeStripeService::fixtureAccount();
    const HttpResponse morePages{
        200,
        {},
        listBody(QJsonArray{minimalCharge(QStringLiteral("ch_1"), 100, fixtureNowSeconds - 5)}, true)};
    const HttpResponse refused{500, {}, R"({"error":{"message":"boom"}})"};

    const struct {
        const char* name;
        // Answers the requests of the pair at `first` and `first + 1`: the failing one first, then the other.
        std::function<void(GatedHttpClient&)> failingStep;
        std::function<void(GatedHttpClient&)> siblingStep;
        int requestsBeforeFailure; // answered by the service before the pair
        QString expectedText;
    } cases[] = {
        {"today refused, week has more", [&](GatedHttpClient& c) { c.answer(0, refused); },
         [&](GatedHttpClient& c) { c.answer(1, morePages); }, 0,
         QStringLiteral(R"({"error":{"message":"boom"}})")},
        {"week lost, today fine", [](GatedHttpClient& c) { c.failTransport(1, QStringLiteral("lost")); },
         [&](GatedHttpClient& c) { c.answer(0, morePages); }, 0, QStringLiteral("lost")},
        {"month refused, subscriptions have more", [&](GatedHttpClient& c) { c.answer(2, refused); },
         [&](GatedHttpClient& c) {
             c.answer(
                 3, HttpResponse{200, {}, R"({"data":[{"id":"sub_1","status":"active"}],"has_more":true})"});
         },
         2, QStringLiteral(R"({"error":{"message":"boom"}})")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        GatedHttpClient http;
        ProviderHarness h(&http);
        auto task = h.provider.fetchMetrics();
        spinUntil([&http] { return http.sentCount() > 0; }, std::chrono::seconds(20));
        for (int i = 0; i < c.requestsBeforeFailure; ++i)
            http.answer(i, service);
        const int sentBefore = http.sentCount();
        c.failingStep(http);
        EXPECT_FALSE(task.isReady()) << "returned before its sibling finished";
        c.siblingStep(http);
        ASSERT_TRUE(task.isReady());
        // No further page of the sibling, and no next pair.
        EXPECT_EQ(http.sentCount(), sentBefore);
        try {
            TestTasks::run(std::move(task));
            ADD_FAILURE() << "no error";
        } catch (const ZingError& e) {
            EXPECT_EQ(e.description(), c.expectedText);
        }
    }
}

TEST(StripeSubscriptionStats, CountsAndNormalisedRecurringRevenue) {
    const SubscriptionStats stats =
        SubscriptionStats::compute(objects(fixtureData("account_subscriptions.json")), recentStart);
    EXPECT_EQ(stats.customers, 7);
    EXPECT_EQ(stats.trials, 1);
    EXPECT_EQ(stats.subscribers, 6);
    EXPECT_EQ(stats.newSubscribers, 3);
    EXPECT_NEAR(stats.recurringMrr, 49.0 + 30.0 + 10.0 + 20.0 * 52.0 / 12.0 + 30.0, 1e-9);
}

TEST(StripeSubscriptionStats, EdgeCases) {
    const struct {
        const char* name;
        QList<const char*> subscriptions;
        SubscriptionStats expected;
    } cases[] = {
        {"two subscriptions of one customer",
         {R"({"customer":"cus_1","status":"active"})", R"({"customer":"cus_1","status":"active"})"},
         {1, 0, 2, 0, 0}},
        {"trialing adds no MRR",
         {R"({"customer":"cus_1","status":"trialing","items":{"data":[{"quantity":1,"price":{"unit_amount":4900}}]}})"},
         {1, 1, 1, 0, 0}},
        {"two items of 500 x 3",
         {R"({"status":"active","items":{"data":[{"quantity":3,"price":{"unit_amount":500}},
             {"quantity":3,"price":{"unit_amount":500,"recurring":{"interval":"month","interval_count":1}}}]}})"},
         {0, 0, 1, 0, 30}},
        {"annual",
         {R"({"status":"active","items":{"data":[{"quantity":1,"price":{"unit_amount":12000,
             "recurring":{"interval":"year","interval_count":1}}}]}})"},
         {0, 0, 1, 0, 10}},
        {"every two weeks",
         {R"({"status":"active","items":{"data":[{"quantity":1,"price":{"unit_amount":1200,
             "recurring":{"interval":"week","interval_count":2}}}]}})"},
         {0, 0, 1, 0, 12.0 * 52.0 / 24.0}},
        {"daily",
         {R"({"status":"active","items":{"data":[{"quantity":1,"price":{"unit_amount":100,
             "recurring":{"interval":"day","interval_count":1}}}]}})"},
         {0, 0, 1, 0, 365.0 / 12.0}},
        {"interval count 0 counts as 1",
         {R"({"status":"active","items":{"data":[{"quantity":1,"price":{
             "unit_amount":1000,"recurring":{"interval":"month","interval_count":0}}}]}})"},
         {0, 0, 1, 0, 10}},
        {"unknown interval counts monthly",
         {R"({"status":"active","items":{"data":[{"quantity":1,"price":{
             "unit_amount":1000,"recurring":{"interval":"fortnight"}}}]}})"},
         {0, 0, 1, 0, 10}},
        {"items lacking numbers are skipped",
         {R"({"status":"active","items":{"data":[{"price":{"unit_amount":1000}},
             {"quantity":1,"price":{"unit_amount":null}},{"quantity":1.5,"price":{"unit_amount":1000}},
             {"quantity":1,"price":"price_1"},{"quantity":2,"price":{"unit_amount":250}}]}})"},
         {0, 0, 1, 0, 5}},
        {"stray item element voids the items",
         {R"({"status":"active","items":{"data":[
             {"quantity":1,"price":{"unit_amount":1000}}, 7]}})"},
         {0, 0, 1, 0, 0}},
        {"huge amounts stay finite",
         {R"({"status":"active","items":{"data":[{"quantity":9223372036854775807,
             "price":{"unit_amount":9223372036854775807}}]}})"},
         {0, 0, 1, 0, 9223372036854775807.0 * 9223372036854775807.0 / 100.0}},
        {"created exactly at the recent start is new; a second earlier is not",
         {R"({"status":"active","created":1796050800})", R"({"status":"trialing","created":1796050799})",
          R"({"status":"canceled","created":1796650000})", R"({"status":"active","created":"1796650000"})"},
         {0, 1, 3, 1, 0}},
        {"customers of every status, text ids only",
         {R"({"customer":"cus_1","status":"canceled"})",
          R"({"customer":"cus_2","status":"incomplete_expired"})",
          R"({"customer":{"id":"cus_3"},"status":"active"})", R"({"status":"active"})"},
         {2, 0, 2, 0, 0}},
        {"status not text", {R"({"customer":"cus_1","status":1})"}, {1, 0, 0, 0, 0}},
    };
    for (const auto& c : cases) {
        QList<QJsonObject> list;
        for (const char* json : c.subscriptions)
            list.append(subscription(json));
        const SubscriptionStats stats = SubscriptionStats::compute(list, recentStart);
        EXPECT_EQ(stats.customers, c.expected.customers) << c.name;
        EXPECT_EQ(stats.trials, c.expected.trials) << c.name;
        EXPECT_EQ(stats.subscribers, c.expected.subscribers) << c.name;
        EXPECT_EQ(stats.newSubscribers, c.expected.newSubscribers) << c.name;
        EXPECT_DOUBLE_EQ(stats.recurringMrr, c.expected.recurringMrr) << c.name;
    }
}

TEST(StripeMetricValues, SalesRefundsAndUnpaidCharges) {
    const auto charge = [](qint64 amount, bool paid, bool refunded) {
        StripeChargePayload c;
        c.id = QStringLiteral("ch");
        c.amount = amount;
        c.paid = paid;
        c.refunded = refunded;
        return c;
    };
    const QList<StripeChargePayload> today = {charge(1999, true, false), charge(5000, true, true),
                                              charge(700, false, false), charge(300, false, true)};
    const QHash<MetricKind, double> values =
        StripeMetricValues::compute(today, today, today, SubscriptionStats{});
    EXPECT_DOUBLE_EQ(values.value(MetricKind::revenueToday), 19.99);
    EXPECT_EQ(values.value(MetricKind::purchaseCountToday), 1);
    // Refunds count whatever `paid` says.
    EXPECT_EQ(values.value(MetricKind::refundCountToday), 2);
    // One purchase plus all four charges of the month.
    EXPECT_EQ(values.value(MetricKind::charges), 5);
    EXPECT_DOUBLE_EQ(values.value(MetricKind::totalRevenue), 19.99 * 5);

    EXPECT_EQ(StripeMetricValues::displaySummary(1234.5, 2.9), QStringLiteral("$1234 today \u00B7 2 subs"));
    EXPECT_EQ(StripeMetricValues::displaySummary(0.5, 0), QStringLiteral("$0 today \u00B7 0 subs"));
    EXPECT_EQ(StripeMetricValues::displaySummary(1.5, 1e300), QStringLiteral("$2 today \u00B7 0 subs"));
}
