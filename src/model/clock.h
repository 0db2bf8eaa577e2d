#pragma once

#include <QDateTime>
#include <QTimeZone>
#include <chrono>
#include <functional>

class QObject;

// Time as the program sees it. Everything that reads the time or waits goes through this, so tests can
// move time by hand instead of sleeping.
class Clock {
public:
    using TimerId = quint64;

    virtual ~Clock() = default;

    // The current moment, in UTC.
    virtual QDateTime now() const = 0;
    // The user's current time zone; "today" starts at midnight in this zone.
    virtual QTimeZone timeZone() const = 0;
    // Runs `callback` once after `delay` on the thread of `context`, unless `context` is destroyed or
    // the timer is cancelled first. Returns an id for cancel().
    virtual TimerId callAfter(std::chrono::milliseconds delay, QObject* context, std::function<void()> callback) = 0;
    virtual void cancel(TimerId id) = 0;

    // Local midnight at the start of the day that contains `moment`, in UTC.
    QDateTime startOfDay(const QDateTime& moment) const;
    QDateTime startOfToday() const { return startOfDay(now()); }
    // `moment` moved by whole calendar days in the user's zone (negative to go back).
    QDateTime addCalendarDays(const QDateTime& moment, int days) const;
};
