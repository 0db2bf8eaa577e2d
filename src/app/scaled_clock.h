#pragma once

#include "model/system_clock.h"

#include <QElapsedTimer>

// Test hook only: wall time running `scale` times faster from the moment of creation, with timers shortened
// to match, so an end-to-end test sees minutes of polling in seconds. Production never uses it.
class ScaledClock final : public Clock {
public:
    explicit ScaledClock(double scale);

    QDateTime now() const override;
    QTimeZone timeZone() const override { return m_system.timeZone(); }
    TimerId callAfter(std::chrono::milliseconds delay, QObject* context,
                      std::function<void()> callback) override;
    void cancel(TimerId id) override { m_system.cancel(id); }

    double scale() const { return m_scale; }

    // The scale named by ZINGBOARD_TEST_TIME_SCALE (1 to 1000), or nothing when it is unset or invalid.
    static std::optional<double> scaleFromEnvironment();

private:
    SystemClock m_system;
    double m_scale;
    QDateTime m_origin;
    QElapsedTimer m_elapsed;
};
