#include "model/clock.h"

QDateTime Clock::startOfDay(const QDateTime& moment) const {
    const QTimeZone zone = timeZone();
    return moment.toTimeZone(zone).date().startOfDay(zone).toUTC();
}

QDateTime Clock::addCalendarDays(const QDateTime& moment, int days) const {
    return moment.toTimeZone(timeZone()).addDays(days).toUTC();
}
