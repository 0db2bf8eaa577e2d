#include "model/system_clock.h"

QDateTime SystemClock::now() const { return QDateTime::currentDateTimeUtc(); }

QTimeZone SystemClock::timeZone() const { return QTimeZone::systemTimeZone(); }

Clock::TimerId SystemClock::callAfter(std::chrono::milliseconds delay, QObject* context,
                                      std::function<void()> callback) {
    const TimerId id = m_nextId++;
    auto* timer = new QTimer(context);
    timer->setSingleShot(true);
    // Coarse timers may fire 5 % early, which would cut short a wait that must be at least `delay`.
    timer->setTimerType(Qt::PreciseTimer);
    QObject::connect(timer, &QTimer::timeout, timer, [this, id, timer, callback = std::move(callback)] {
        m_timers.remove(id);
        timer->deleteLater();
        callback();
    });
    m_timers.insert(id, timer);
    timer->start(std::max(delay, std::chrono::milliseconds(0)));
    return id;
}

void SystemClock::cancel(TimerId id) {
    if (QPointer<QTimer> timer = m_timers.take(id)) {
        timer->stop();
        timer->deleteLater();
    }
}
