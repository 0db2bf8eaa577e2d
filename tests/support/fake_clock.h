#pragma once

#include "model/clock.h"

#include <QMap>
#include <QPointer>

// A clock that only moves when the test says so. Timers fire, in deadline order, during advance().
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime start = QDateTime(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC),
                       QTimeZone zone = QTimeZone::utc());

    QDateTime now() const override { return m_now; }
    QTimeZone timeZone() const override { return m_zone; }
    TimerId callAfter(std::chrono::milliseconds delay, QObject* context, std::function<void()> callback) override;
    void cancel(TimerId id) override;

    void setNow(const QDateTime& moment) { m_now = moment.toUTC(); }
    void setTimeZone(const QTimeZone& zone) { m_zone = zone; }
    // Moves time forward, firing every timer that falls due on the way (also ones scheduled while advancing).
    void advance(std::chrono::milliseconds by);
    void advanceSeconds(double seconds) { advance(std::chrono::milliseconds(qint64(seconds * 1000.0))); }
    int pendingTimers() const { return int(m_timers.size()); }
    // The delay of the earliest pending timer from now, if any.
    std::optional<std::chrono::milliseconds> nextTimerIn() const;

private:
    struct Pending {
        QDateTime due;
        QPointer<QObject> context;
        bool hadContext;
        std::function<void()> callback;
    };
    QDateTime m_now;
    QTimeZone m_zone;
    TimerId m_nextId = 1;
    QMap<TimerId, Pending> m_timers;
};
