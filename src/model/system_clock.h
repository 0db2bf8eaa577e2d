#pragma once

#include "model/clock.h"

#include <QHash>
#include <QPointer>
#include <QTimer>

// The real clock: wall time, the system time zone and Qt timers on the event loop.
class SystemClock final : public Clock {
public:
    QDateTime now() const override;
    QTimeZone timeZone() const override;
    TimerId callAfter(std::chrono::milliseconds delay, QObject* context, std::function<void()> callback) override;
    void cancel(TimerId id) override;

private:
    TimerId m_nextId = 1;
    QHash<TimerId, QPointer<QTimer>> m_timers;
};
