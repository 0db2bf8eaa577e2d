#include "model/goal_formatting.h"
#include "model/metric_kind.h"

#include <gtest/gtest.h>

TEST(MetricKind, RawValuesRoundTripAndUnknownFails) {
    ASSERT_EQ(MetricKinds::allCases().size(), 41);
    for (MetricKind kind : MetricKinds::allCases())
        EXPECT_EQ(MetricKinds::fromRawValue(MetricKinds::rawValue(kind)), kind);
    EXPECT_EQ(MetricKinds::allCases().first(), MetricKind::revenueToday);
    EXPECT_FALSE(MetricKinds::fromRawValue(QStringLiteral("RevenueToday")).has_value());
    EXPECT_FALSE(MetricKinds::fromRawValue(QString()).has_value());
}

TEST(MetricKind, AvailableListsPerProvider) {
    EXPECT_EQ(MetricKinds::available(IntegrationProvider::demo), MetricKinds::allCases());
    EXPECT_EQ(MetricKinds::available(IntegrationProvider::stripe).size(), 13);
    EXPECT_EQ(MetricKinds::available(IntegrationProvider::googleAnalytics).size(), 16);
    EXPECT_EQ(MetricKinds::available(IntegrationProvider::datafast).size(), 7);
    EXPECT_EQ(MetricKinds::available(IntegrationProvider::googleSearchConsole).size(), 6);
    EXPECT_TRUE(
        MetricKinds::available(IntegrationProvider::googleAnalytics).contains(MetricKind::pageviewsToday));
    EXPECT_TRUE(MetricKinds::available(IntegrationProvider::datafast).contains(MetricKind::pageviewsToday));
    // Every kind belongs to at least one real provider.
    for (MetricKind kind : MetricKinds::allCases()) {
        int owners = 0;
        for (auto p : {IntegrationProvider::stripe, IntegrationProvider::googleAnalytics,
                       IntegrationProvider::datafast, IntegrationProvider::googleSearchConsole})
            owners += MetricKinds::available(p).count(kind);
        EXPECT_EQ(owners, kind == MetricKind::pageviewsToday ? 2 : 1)
            << MetricKinds::rawValue(kind).toStdString();
    }
}

TEST(MetricKind, DisplayNamesThatReadOddOnPurpose) {
    EXPECT_EQ(MetricKinds::displayName(MetricKind::mrr), QStringLiteral("Revenue (30d)"));
    EXPECT_EQ(MetricKinds::displayName(MetricKind::activeUsers), QStringLiteral("Active visitors"));
    EXPECT_EQ(MetricKinds::displayName(MetricKind::avgPosition), QStringLiteral("Avg. search position"));
}

TEST(GoalFormatting, Table) {
    struct Case {
        double value;
        MetricKind metric;
        const char* expected;
    };
    const Case cases[] = {
        {1234.6, MetricKind::revenueToday, "$1235"},
        {-12, MetricKind::mrr, "$-12"},
        {0, MetricKind::revenueToday, "$0"},
        {3.26, MetricKind::usersGrowth, "3.3%"},
        {0, MetricKind::ctr, "0.0%"},
        {7.44, MetricKind::avgPosition, "7.4"},
        {3, MetricKind::avgPosition, "3.0"},
        {12.7, MetricKind::sessions, "13"},
        {1e7, MetricKind::clicks, "10000000"},
        {99.5, MetricKind::datafastRevenue, "$100"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(GoalFormatting::format(c.value, c.metric), QString::fromUtf8(c.expected)) << c.expected;
    EXPECT_EQ(GoalFormatting::format(1500, MetricKind::revenueToday, QStringLiteral("JPY")),
              QString::fromUtf8("\u00A51500"));
    EXPECT_EQ(GoalFormatting::format(12, MetricKind::sessions, QStringLiteral("JPY")), QStringLiteral("12"));
}

TEST(GoalFormatting, IgnoresTheProcessLocale) {
    const char* previous = setlocale(LC_ALL, "de_DE.UTF-8");
    EXPECT_EQ(GoalFormatting::format(3.25, MetricKind::avgPosition).contains(QLatin1Char(',')), false);
    if (previous)
        setlocale(LC_ALL, "C");
}
