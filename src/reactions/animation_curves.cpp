#include "reactions/animation_curves.h"

#include <algorithm>
#include <cmath>

namespace AnimationCurves {

namespace {
// One coordinate of a cubic Bézier from 0 to 1 with inner control values a and b.
double bezier(double s, double a, double b) {
    const double u = 1.0 - s;
    return 3.0 * u * u * s * a + 3.0 * u * s * s * b + s * s * s;
}
double bezierSlope(double s, double a, double b) {
    const double u = 1.0 - s;
    return 3.0 * u * u * a + 6.0 * u * s * (b - a) + 3.0 * s * s * (1.0 - b);
}
} // namespace

double easeInOut(double x) {
    x = std::clamp(x, 0.0, 1.0);
    constexpr double x1 = 0.42, x2 = 0.58;
    // x(s) is monotonic, so Newton from s = x converges; bisection guards the flat ends.
    double s = x;
    for (int i = 0; i < 8; ++i) {
        const double slope = bezierSlope(s, x1, x2);
        if (std::abs(slope) < 1e-6)
            break;
        s = std::clamp(s - (bezier(s, x1, x2) - x) / slope, 0.0, 1.0);
    }
    if (std::abs(bezier(s, x1, x2) - x) > 1e-7) {
        double low = 0, high = 1;
        for (int i = 0; i < 60; ++i) {
            s = (low + high) / 2;
            (bezier(s, x1, x2) < x ? low : high) = s;
        }
    }
    return bezier(s, 0.0, 1.0);
}

double cubicEaseOut(double p) {
    p = std::clamp(p, 0.0, 1.0);
    const double rest = 1.0 - p;
    return 1.0 - rest * rest * rest;
}

double autoreversingEaseInOut(double seconds, double duration) {
    if (seconds <= 0 || duration <= 0)
        return 0;
    const double phase = std::fmod(seconds, 2.0 * duration) / duration; // 0..2
    return easeInOut(phase <= 1.0 ? phase : 2.0 - phase);
}

} // namespace AnimationCurves
