#pragma once

#include "model/goal.h"

// One ring of the dashboard: how far a today goal is.
struct GoalProgressItem {
    Goal goal;
    double current = 0;
    // At most 1; negative values are not clamped.
    double fraction = 0;
    bool isComplete = false;

    friend bool operator==(const GoalProgressItem&, const GoalProgressItem&) = default;
};
