#include "google/clock_alarm.h"

#include <QCoroSignal>
#include <memory>

QCoro::Task<void> ClockAlarm::sleep(Clock& clock, std::chrono::milliseconds delay) {
    // Deleted later: the waiter may finish while the alarm is still inside its own signal.
    const std::unique_ptr<ClockAlarm, void (*)(ClockAlarm*)> alarm(new ClockAlarm,
                                                                   [](ClockAlarm* a) { a->deleteLater(); });
    ClockAlarm* raw = alarm.get();
    clock.callAfter(delay, raw, [raw] {
        raw->m_rang = true;
        Q_EMIT raw->rang();
    });
    if (!raw->m_rang)
        co_await qCoro(raw, &ClockAlarm::rang);
}
