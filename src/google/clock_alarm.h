#pragma once

#include "model/clock.h"

#include <QCoroTask>
#include <QObject>
#include <chrono>

// A wait measured on the injected clock, so tests move time instead of sleeping.
class ClockAlarm : public QObject {
    Q_OBJECT
public:
    // Resumes after `delay` on `clock`.
    static QCoro::Task<void> sleep(Clock& clock, std::chrono::milliseconds delay);

Q_SIGNALS:
    void rang();

private:
    bool m_rang = false;
};
