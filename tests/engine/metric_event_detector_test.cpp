#include "engine/metric_event_detector.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

const QDateTime kNow(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC);

MetricSnapshot snapshot(IntegrationProvider provider, QHash<MetricKind, double> values) {
    MetricSnapshot s;
    s.provider = provider;
    s.values = std::move(values);
    return s;
}

TEST(MetricEventDetector, FirstSnapshotOnlySetsTheBaseline) {
    const auto fresh =
        snapshot(IntegrationProvider::stripe, {{MetricKind::customers, 500}, {MetricKind::mrr, 9000}});
    EXPECT_TRUE(MetricEventDetector::detect(std::nullopt, fresh, kNow).isEmpty());
}

struct ThresholdCase {
    const char* name;
    IntegrationProvider provider;
    MetricKind metric;
    std::optional<double> before; // absent: not in the baseline
    double after;
    std::optional<MetricIncreaseEvent> expected;
};

TEST(MetricEventDetector, ThresholdsAndMapping) {
    using P = IntegrationProvider;
    using M = MetricKind;
    using K = TriggerEventKind;
    const double nan = std::nan("");
    const ThresholdCase cases[] = {
        {"position improves", P::googleSearchConsole, M::avgPosition, 8.2, 8.1,
         MetricIncreaseEvent{K::gscAvgPosition, M::avgPosition, 8.2 - 8.1, 8.1, true}},
        {"position worsens", P::googleSearchConsole, M::avgPosition, 8.2, 8.3, std::nullopt},
        {"position by 0.04", P::googleSearchConsole, M::avgPosition, 8.2, 8.16, std::nullopt},
        {"revenue by half a cent", P::stripe, M::revenue7d, 100, 100.005, std::nullopt},
        {"revenue by two cents", P::stripe, M::revenue7d, 100, 100.02,
         MetricIncreaseEvent{K::stripeRevenue7d, M::revenue7d, 100.02 - 100, 100.02, false}},
        {"sessions by 0.9", P::googleAnalytics, M::sessions, 10, 10.9, std::nullopt},
        {"sessions by 1.0", P::googleAnalytics, M::sessions, 10, 11,
         MetricIncreaseEvent{K::gaSessions, M::sessions, 1, 11, false}},
        {"sessions by 1.0 in binary fractions", P::googleAnalytics, M::sessions, 17.4, 18.4,
         MetricIncreaseEvent{K::gaSessions, M::sessions, 18.4 - 17.4, 18.4, false}},
        {"ctr by exactly 0.1", P::googleSearchConsole, M::ctr, 3.2, 3.3,
         MetricIncreaseEvent{K::gscCTR, M::ctr, 3.3 - 3.2, 3.3, false}},
        {"ctr by 0.09", P::googleSearchConsole, M::ctr, 3.2, 3.29, std::nullopt},
        {"growth by 0.1", P::googleAnalytics, M::usersGrowth, 1.0, 1.1,
         MetricIncreaseEvent{K::gaUsersGrowth, M::usersGrowth, 1.1 - 1.0, 1.1, false}},
        {"sessions seen in Datafast snapshot", P::datafast, M::sessions, 10, 50, std::nullopt},
        {"datafast sessions", P::datafast, M::datafastSessions, 10, 12,
         MetricIncreaseEvent{K::datafastSessions, M::datafastSessions, 2, 12, false}},
        {"metric unknown in the baseline", P::stripe, M::customers, std::nullopt, 3, std::nullopt},
        {"metric without a catalog row", P::stripe, M::revenueToday, 0, 500, std::nullopt},
        {"decrease", P::stripe, M::customers, 10, 4, std::nullopt},
        {"not a number", P::stripe, M::customers, 10, nan, std::nullopt},
    };
    for (const auto& c : cases) {
        QHash<MetricKind, double> old;
        if (c.before)
            old.insert(c.metric, *c.before);
        const auto events = MetricEventDetector::detect(snapshot(c.provider, old),
                                                        snapshot(c.provider, {{c.metric, c.after}}), kNow);
        if (!c.expected) {
            EXPECT_TRUE(events.isEmpty()) << c.name;
            continue;
        }
        ASSERT_EQ(events.size(), 1) << c.name;
        EXPECT_EQ(events.first(), ProviderEvent::metricIncrease(c.provider, *c.expected, kNow)) << c.name;
    }
}

TEST(MetricEventDetector, SeveralRisesComeInMetricOrder) {
    const auto old =
        snapshot(IntegrationProvider::googleAnalytics, {{MetricKind::users, 10}, {MetricKind::sessions, 10}});
    const auto next =
        snapshot(IntegrationProvider::googleAnalytics,
                 {{MetricKind::users, 20}, {MetricKind::sessions, 15}, {MetricKind::pageviews, 0.5}});
    const auto events = MetricEventDetector::detect(old, next, kNow);
    ASSERT_EQ(events.size(), 2);
    EXPECT_EQ(events[0].eventKind(), TriggerEventKind::gaSessions);
    EXPECT_EQ(events[1].eventKind(), TriggerEventKind::gaUsers);
}

} // namespace
