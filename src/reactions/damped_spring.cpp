#include "reactions/damped_spring.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {
// Closer than this the motion is below a tenth of a pixel on any card the overlay draws.
constexpr double settleTolerance = 1e-3;
} // namespace

DampedSpring::DampedSpring(double response, double dampingFraction)
    : m_response(std::max(response, 1e-3)), m_dampingFraction(std::max(dampingFraction, 0.0)) {
    const double omega = 2.0 * std::numbers::pi / m_response;
    const double zeta = m_dampingFraction;
    // An undamped spring would never settle; it is cut after a generous bound.
    const double limit = 60.0 * m_response;
    if (zeta > 0 && zeta < 1.0) {
        // The distance from 1 never exceeds the decay envelope e^(-zeta omega t) / sqrt(1 - zeta^2).
        const double envelopeScale = 1.0 / std::sqrt(1.0 - zeta * zeta);
        m_settlingTime = std::min(std::log(envelopeScale / settleTolerance) / (zeta * omega), limit);
    } else if (zeta >= 1.0) {
        // Without overshoot the approach is monotonic: bisect for the tolerance.
        double low = 0, high = limit;
        for (int i = 0; i < 80; ++i) {
            const double mid = (low + high) / 2;
            (1.0 - rawValue(mid) > settleTolerance ? low : high) = mid;
        }
        m_settlingTime = high;
    } else {
        m_settlingTime = limit;
    }
}

double DampedSpring::value(double seconds) const {
    if (seconds <= 0)
        return 0;
    if (seconds >= m_settlingTime)
        return 1;
    return rawValue(seconds);
}

double DampedSpring::rawValue(double t) const {
    const double omega = 2.0 * std::numbers::pi / m_response;
    const double zeta = m_dampingFraction;
    if (zeta < 1.0) {
        const double omegaD = omega * std::sqrt(1.0 - zeta * zeta);
        const double decay = std::exp(-zeta * omega * t);
        return 1.0 - decay * (std::cos(omegaD * t) + (zeta * omega / omegaD) * std::sin(omegaD * t));
    }
    if (zeta == 1.0)
        return 1.0 - std::exp(-omega * t) * (1.0 + omega * t);
    const double root = omega * std::sqrt(zeta * zeta - 1.0);
    const double r1 = -zeta * omega + root;
    const double r2 = -zeta * omega - root;
    return 1.0 - (r2 * std::exp(r1 * t) - r1 * std::exp(r2 * t)) / (r2 - r1);
}
