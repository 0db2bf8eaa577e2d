#include "support/fake_clock.h"

#include <QObject>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

TEST(FakeClock, FiresTimersInDeadlineOrderIncludingOnesScheduledWhileAdvancing) {
    FakeClock clock;
    QObject context;
    QStringList fired;
    clock.callAfter(3s, &context, [&] {
        fired << QStringLiteral("3s");
        clock.callAfter(1s, &context, [&] { fired << QStringLiteral("4s"); });
    });
    clock.callAfter(2s, &context, [&] { fired << QStringLiteral("2s"); });
    const auto cancelled = clock.callAfter(1s, &context, [&] { fired << QStringLiteral("cancelled"); });
    clock.cancel(cancelled);
    clock.advance(5s);
    EXPECT_EQ(fired, (QStringList{QStringLiteral("2s"), QStringLiteral("3s"), QStringLiteral("4s")}));
    EXPECT_EQ(clock.pendingTimers(), 0);
}

TEST(FakeClock, SkipsTimersWhoseContextIsGoneAndStartOfDayUsesTheZone) {
    FakeClock clock(QDateTime(QDate(2026, 12, 7), QTime(4, 30), Qt::UTC), QTimeZone("America/New_York"));
    bool fired = false;
    {
        QObject context;
        clock.callAfter(1s, &context, [&] { fired = true; });
    }
    clock.advance(2s);
    EXPECT_FALSE(fired);
    // 04:30 UTC is 23:30 on 6 December in New York, whose midnight is 05:00 UTC.
    EXPECT_EQ(clock.startOfToday(), QDateTime(QDate(2026, 12, 6), QTime(5, 0), Qt::UTC));
}
