#pragma once

#include "model/random_source.h"

#include <QList>

// Random draws that a test scripts. Queued answers are used first, in order; once the queue is empty a
// draw returns a fixed point of its range (the low end by default, or the fraction set with setFallback).
class ScriptedRandomSource final : public RandomSource {
public:
    // Each queued value is a fraction in [0, 1] of the requested range (0 = low, 1 = high).
    void queueFractions(const QList<double>& fractions) { m_fractions.append(fractions); }
    void setFallback(double fraction) { m_fallback = fraction; }

    double uniformReal(double low, double high) override { return low + next() * (high - low); }
    qint64 uniformInt(qint64 low, qint64 high) override {
        const double f = next();
        const qint64 value = low + qint64(f * double(high - low) + 0.5);
        return std::clamp(value, low, high);
    }
    QByteArray secureBytes(int count) override {
        QByteArray bytes;
        for (int i = 0; i < count; ++i)
            bytes.append(char(uniformInt(0, 255)));
        return bytes;
    }
    int draws() const { return m_draws; }

private:
    double next() {
        ++m_draws;
        return m_fractions.isEmpty() ? m_fallback : m_fractions.takeFirst();
    }
    QList<double> m_fractions;
    double m_fallback = 0.0;
    int m_draws = 0;
};
