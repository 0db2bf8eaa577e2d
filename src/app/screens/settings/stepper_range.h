#pragma once

#include <algorithm>

// The range and step of a settings stepper.
struct StepperRange {
    double minimum = 0;
    double maximum = 0;
    double step = 1;

    double clamped(double value) const { return std::clamp(value, minimum, maximum); }
};
