#include "midday_time_zone.h"

#include <gtest/gtest.h>

namespace {

// A wrong sign would put the program at midnight instead of noon.
TEST(MiddayTimeZone, ItIsNoonHourThereAtEveryHourOfTheDay) {
    const QDate day(2024, 3, 31);
    for (int hour = 0; hour < 24; ++hour) {
        for (const QTime& time : {QTime(hour, 0, 0), QTime(hour, 59, 59)}) {
            const QDateTime utc(day, time, Qt::UTC);
            const QByteArray id = MiddayTimeZone::ianaIdAt(utc);
            const QTimeZone zone(id);
            ASSERT_TRUE(zone.isValid()) << id.constData();
            const QDateTime local = utc.toTimeZone(zone);
            EXPECT_EQ(local.time().hour(), 12) << id.constData() << " at " << hour << " UTC";
            EXPECT_EQ(local.time().minute(), time.minute()) << id.constData();
        }
    }
}

} // namespace
