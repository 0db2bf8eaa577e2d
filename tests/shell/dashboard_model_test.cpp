#include "app/screens/panel/dashboard_model.h"
#include "model/credential_accounts.h"
#include "providers/provider_error.h"
#include "shell_fixture.h"
#include "support/qt_printers.h"
#include "support/run_task.h"

namespace {

class DashboardModelTest : public ShellTest {
protected:
    DashboardModel model() { return DashboardModel(state()); }
};

TEST(DashboardFormats, StatusLineForms) {
    const struct {
        int completed;
        int total;
        double fraction;
        const char* expected;
    } cases[] = {
        {3, 3, 1.0, "All crushed — you're on fire 🔥"},
        {0, 2, 0.456, "45% of the way there"},
        // Truncated, never rounded up.
        {0, 1, 0.999, "99% of the way there"},
        {0, 3, 0.0, "0% of the way there"},
        {2, 3, 0.9, "2 of 3 done · keep going"},
        {1, 2, 0.2, "1 of 2 done · keep going"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DashboardModel::statusLine(c.completed, c.total, c.fraction), QString::fromUtf8(c.expected))
            << c.completed << "/" << c.total;
    EXPECT_EQ(DashboardModel::ringPercent(0.456), QStringLiteral("45%"));
}

TEST(DashboardFormats, DollarSignOnlyWhereItBelongs) {
    const struct {
        MetricKind metric;
        double value;
        const char* tile;
        const char* goal;
    } cases[] = {
        {MetricKind::revenueToday, 85.4, "$85", "$85"},
        {MetricKind::revenue7d, 1200, "$1200", "$1200"},
        // Cards show only today's and the week's revenue with "$"; goal rows every currency metric.
        {MetricKind::totalRevenue, 5000, "5000", "$5000"},
        {MetricKind::mrr, 310.6, "311", "$311"},
        {MetricKind::datafastRevenue, 42, "42", "$42"},
        {MetricKind::purchaseCountToday, 3, "3", "3"},
        {MetricKind::avgPosition, 4.26, "4", "4.3"},
        {MetricKind::ctr, 2.51, "3", "2.5"},
        {MetricKind::usersGrowth, 12.34, "12", "12"},
    };
    const QString usd = QStringLiteral("USD");
    for (const auto& c : cases) {
        const QString name = MetricKinds::rawValue(c.metric);
        EXPECT_EQ(DashboardModel::tileValue(c.metric, c.value, usd), QString::fromUtf8(c.tile))
            << name.toStdString();
        EXPECT_EQ(DashboardModel::goalValue(c.metric, c.value, usd), QString::fromUtf8(c.goal))
            << name.toStdString();
    }
}

TEST(DashboardFormats, MoneyInTheSourcesOwnCurrency) {
    const struct {
        MetricKind metric;
        double value;
        const char* code;
        const char* tile;
        const char* goal;
    } cases[] = {
        {MetricKind::revenueToday, 1500, "JPY", "¥1500", "¥1500"},
        {MetricKind::revenue7d, 99.6, "eur", "€100", "€100"},
        // Only the two revenue tiles carry a sign; a non-dollar card must not grow a "$" anywhere.
        {MetricKind::mrr, 310, "GBP", "310", "£310"},
        {MetricKind::sessions, 12, "JPY", "12", "12"},
        // A code no locale knows falls back to the dollar sign rather than to nothing.
        {MetricKind::revenueToday, 7, "XQQ", "$7", "$7"},
    };
    for (const auto& c : cases) {
        const QString code = QString::fromLatin1(c.code);
        EXPECT_EQ(DashboardModel::tileValue(c.metric, c.value, code), QString::fromUtf8(c.tile)) << c.code;
        EXPECT_EQ(DashboardModel::goalValue(c.metric, c.value, code), QString::fromUtf8(c.goal)) << c.code;
    }
}

TEST_F(DashboardModelTest, DemoOnlyShowsTheDemoCardAndOneDemoProviderCard) {
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    demo.setStandingMetrics(
        {{MetricKind::revenueToday, 120}, {MetricKind::revenue7d, 800}, {MetricKind::purchaseCountToday, 4}});
    poll();
    EXPECT_TRUE(model().showsDemoCard());
    const QList<DashboardModel::ProviderCard> cards = model().providerCards();
    ASSERT_EQ(cards.size(), 1);
    EXPECT_EQ(cards[0].title, QStringLiteral("Demo Mode"));
    QStringList values;
    for (const DashboardModel::Tile& tile : cards[0].tiles)
        values.append(tile.value);
    // The refund count is missing from the snapshot and shows as 0.
    EXPECT_EQ(values, (QStringList{QStringLiteral("$120"), QStringLiteral("$800"), QStringLiteral("4"),
                                   QStringLiteral("0")}));

    editSettings([](AppSettings& s) { s.demoModeEnabled = false; });
    EXPECT_FALSE(model().showsDemoCard());
    EXPECT_TRUE(model().providerCards().isEmpty());
}

TEST_F(DashboardModelTest, ProviderCardsSortedByDisplayName) {
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    QList<IntegrationConnection> list = PersistenceManager::defaultIntegrations();
    for (IntegrationConnection& c : list) {
        c.isConnected =
            c.provider == IntegrationProvider::stripe || c.provider == IntegrationProvider::datafast;
        c.label = QStringLiteral("connected");
    }
    persistence.encodeIntegrations(list);
    TestTasks::run(keychain.save(QStringLiteral("sk_test"), CredentialAccounts::stripeSecretKey()));
    TestTasks::run(keychain.save(QStringLiteral("key"), CredentialAccounts::datafastApiKey()));
    TestTasks::run(keychain.save(QStringLiteral("site"), CredentialAccounts::datafastWebsiteId()));
    for (FakeMetricProvider* p : {&demo, &stripe, &datafast})
        p->setStandingMetrics({});
    poll();
    QStringList titles;
    for (const DashboardModel::ProviderCard& card : model().providerCards())
        titles.append(card.title);
    EXPECT_EQ(titles, (QStringList{QStringLiteral("Datafast"), QStringLiteral("Demo Mode"),
                                   QStringLiteral("Stripe")}));
}

TEST_F(DashboardModelTest, GoalsOverview) {
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    Goal reached = makeGoal("Reached", MetricKind::revenueToday, 100);
    Goal halfway = makeGoal("Halfway", MetricKind::purchaseCountToday, 10);
    Goal weekly = makeGoal("Weekly", MetricKind::revenue7d, 1000);
    weekly.period = GoalPeriod::rolling7d;
    persistence.encodeGoals({reached, halfway, weekly});
    demo.setStandingMetrics({{MetricKind::revenueToday, 150}, {MetricKind::purchaseCountToday, 5}});
    poll();

    const DashboardModel::GoalsOverview overview = model().goalsOverview();
    ASSERT_FALSE(overview.isEmpty);
    EXPECT_EQ(overview.totalCount, 2);
    EXPECT_EQ(overview.completedCount, 1);
    EXPECT_EQ(overview.statusLine, QStringLiteral("1 of 2 done · keep going"));
    ASSERT_EQ(overview.rows.size(), 2);
    EXPECT_TRUE(overview.rows[0].isComplete);
    EXPECT_EQ(overview.rows[0].progressText, QString());
    EXPECT_FALSE(overview.rows[1].isComplete);
    EXPECT_EQ(overview.rows[1].progressText, QStringLiteral("5 / 10"));
    EXPECT_EQ(overview.rows[1].metricName, MetricKinds::displayName(MetricKind::purchaseCountToday));
}

TEST_F(DashboardModelTest, AStripeAccountInEurosShowsEurosOnItsGoalRows) {
    connectStripe();
    persistence.encodeGoals({makeGoal("Euro day", MetricKind::revenueToday, 500, IntegrationProvider::stripe),
                             makeGoal("Demo day", MetricKind::revenueToday, 90)});
    storeSettings([](AppSettings& s) {
        s.demoModeEnabled = true;
        s.hasCompletedOnboarding = true;
    });
    stripe.setCurrencyCode(QStringLiteral("EUR"));
    stripe.setStandingMetrics({{MetricKind::revenueToday, 120}});
    demo.setStandingMetrics({{MetricKind::revenueToday, 30}});
    poll();
    const DashboardModel::GoalsOverview overview = model().goalsOverview();
    ASSERT_EQ(overview.rows.size(), 2);
    EXPECT_EQ(overview.rows[0].progressText, QString::fromUtf8("€120 / €500"));
    // The other source's goal keeps its own currency.
    EXPECT_EQ(overview.rows[1].progressText, QStringLiteral("$30 / $90"));
}

// The card's four Stripe figures carry no sign in any currency (only today's and the week's revenue would);
// the yen lives in the summary line and the goal rows.
TEST_F(DashboardModelTest, AStripeCardInYenKeepsItsFourFiguresPlain) {
    connectStripe();
    stripe.setCurrencyCode(QStringLiteral("JPY"));
    stripe.setDisplaySummary(QString::fromUtf8("¥1500 today"));
    stripe.setStandingMetrics({{MetricKind::totalRevenue, 18420},
                               {MetricKind::mrr, 2310.4},
                               {MetricKind::arr, 27720},
                               {MetricKind::revenueToday, 1500}});
    poll();
    const QList<DashboardModel::ProviderCard> cards = model().providerCards();
    ASSERT_EQ(cards.size(), 1);
    EXPECT_EQ(cards[0].summary, QString::fromUtf8("¥1500 today"));
    // The recurring MRR is missing from the snapshot and shows as 0.
    const QList<DashboardModel::Tile> expected = {
        {QStringLiteral("All-time revenue"), QStringLiteral("18420")},
        {QStringLiteral("Revenue (30d)"), QStringLiteral("2310")},
        {QStringLiteral("Recurring MRR"), QStringLiteral("0")},
        {QStringLiteral("ARR"), QStringLiteral("27720")}};
    EXPECT_EQ(cards[0].tiles, expected);
}

TEST_F(DashboardModelTest, AGoalReachedEarlierTodayStaysDoneAfterDropping) {
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    Goal goal = makeGoal("Morning rush", MetricKind::revenueToday, 100);
    goal.lastTriggeredAt = at(8, 30);
    Goal yesterday = makeGoal("Yesterday's", MetricKind::purchaseCountToday, 10);
    yesterday.lastTriggeredAt = at(8, 30).addDays(-1);
    persistence.encodeGoals({goal, yesterday});
    // A refund took today's revenue back under the target.
    demo.setStandingMetrics({{MetricKind::revenueToday, 60}, {MetricKind::purchaseCountToday, 2}});
    poll();
    const DashboardModel::GoalsOverview overview = model().goalsOverview();
    ASSERT_EQ(overview.rows.size(), 2);
    EXPECT_TRUE(overview.rows[0].isComplete);
    EXPECT_FALSE(overview.rows[1].isComplete);
    EXPECT_EQ(overview.rows[1].progressText, QStringLiteral("2 / 10"));
}

TEST_F(DashboardModelTest, NoTodayGoalIsTheEmptyState) {
    Goal disabled = makeGoal("Off", MetricKind::revenueToday, 100);
    disabled.isEnabled = false;
    persistence.encodeGoals({disabled});
    EXPECT_TRUE(model().goalsOverview().isEmpty);
}

TEST_F(DashboardModelTest, PollStatusShowsTheTimeAndTheError) {
    clock.setTimeZone(QTimeZone("Europe/Berlin"));
    connectStripe();
    EXPECT_EQ(model().pollStatus().updated, QStringLiteral("Waiting for the first update…"));
    stripe.queueMetricsError(std::make_exception_ptr(ProviderError::apiError(QStringLiteral("boom"))));
    poll();
    const DashboardModel::PollStatus status = model().pollStatus();
    // 10:00 UTC is 11:00 in Berlin in December.
    EXPECT_EQ(status.updated, QStringLiteral("Updated 11:00:00"));
    ASSERT_TRUE(status.error.has_value());
    EXPECT_TRUE(status.error->startsWith(QStringLiteral("Stripe: ")));
}

} // namespace
