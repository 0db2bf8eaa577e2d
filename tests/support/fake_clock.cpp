#include "support/fake_clock.h"

#include <QCoreApplication>

FakeClock::FakeClock(QDateTime start, QTimeZone zone) : m_now(start.toUTC()), m_zone(std::move(zone)) {}

Clock::TimerId FakeClock::callAfter(std::chrono::milliseconds delay, QObject* context, std::function<void()> callback) {
    const TimerId id = m_nextId++;
    m_timers.insert(id, Pending{m_now.addMSecs(std::max<qint64>(delay.count(), 0)), context, context != nullptr,
                                std::move(callback)});
    return id;
}

void FakeClock::cancel(TimerId id) { m_timers.remove(id); }

std::optional<std::chrono::milliseconds> FakeClock::nextTimerIn() const {
    std::optional<std::chrono::milliseconds> best;
    for (const Pending& p : m_timers) {
        const auto in = std::chrono::milliseconds(m_now.msecsTo(p.due));
        if (!best || in < *best)
            best = in;
    }
    return best;
}

void FakeClock::advance(std::chrono::milliseconds by) {
    const QDateTime target = m_now.addMSecs(by.count());
    for (;;) {
        // Earliest due timer; ties go to the one scheduled first (lowest id).
        auto next = m_timers.end();
        for (auto it = m_timers.begin(); it != m_timers.end(); ++it) {
            if (it->due <= target && (next == m_timers.end() || it->due < next->due))
                next = it;
        }
        if (next == m_timers.end())
            break;
        Pending pending = next.value();
        m_timers.erase(next);
        if (pending.due > m_now)
            m_now = pending.due;
        if (pending.hadContext && !pending.context)
            continue;
        pending.callback();
        // Let coroutines resumed by the callback run up to their next suspension.
        QCoreApplication::processEvents();
    }
    m_now = target;
    QCoreApplication::processEvents();
}
