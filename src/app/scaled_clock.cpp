#include "app/scaled_clock.h"

#include <QtGlobal>
#include <cmath>

ScaledClock::ScaledClock(double scale) : m_scale(scale), m_origin(m_system.now()) {
    m_elapsed.start();
}

QDateTime ScaledClock::now() const {
    const double elapsedMs = double(m_elapsed.nsecsElapsed()) / 1e6;
    return m_origin.addMSecs(qint64(elapsedMs * m_scale));
}

Clock::TimerId ScaledClock::callAfter(std::chrono::milliseconds delay, QObject* context,
                                      std::function<void()> callback) {
    const auto shortened = std::chrono::milliseconds(qint64(std::ceil(double(delay.count()) / m_scale)));
    return m_system.callAfter(shortened, context, std::move(callback));
}

std::optional<double> ScaledClock::scaleFromEnvironment() {
    const QByteArray text = qgetenv("ZINGBOARD_TEST_TIME_SCALE");
    if (text.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double scale = text.toDouble(&ok);
    if (!ok || !(scale >= 1.0 && scale <= 1000.0))
        return std::nullopt;
    return scale;
}
