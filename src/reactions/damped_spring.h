#pragma once

// A unit-mass spring released at rest at 0 and pulled towards 1, described the way designers tune it:
// `response` is the period of the undamped oscillation in seconds, `dampingFraction` the ratio to
// critical damping (below 1 it overshoots once or more before settling).
class DampedSpring {
public:
    DampedSpring(double response, double dampingFraction);

    // Progress at `seconds` after release; 0 before it, exactly 1 once settled.
    double value(double seconds) const;
    // Time after which the progress stays within `tolerance` of 1 (and value() returns 1).
    double settlingTime() const { return m_settlingTime; }

    double response() const { return m_response; }
    double dampingFraction() const { return m_dampingFraction; }

private:
    double rawValue(double seconds) const;

    double m_response;
    double m_dampingFraction;
    double m_settlingTime = 0;
};
