#pragma once

#include <chrono>
#include <functional>

// Runs blocking work that may never return (a secret store waiting on a prompt nobody sees) on a thread of
// its own, and waits for it at most a given time. On time-out `giveUp` is called to ask the work to stop
// early and the work is abandoned: it may still finish in the background, and whatever it produces is
// dropped.
class BoundedCall {
public:
    // Past this many abandoned calls still running, new calls fail at once instead of piling up threads.
    static constexpr int maximumAbandoned = 4;

    // True when `work` finished within `limit`. Whatever `work` and `giveUp` capture must stay valid for as
    // long as the work runs (capture by value or shared pointer).
    static bool run(std::chrono::milliseconds limit, std::function<void()> work,
                    std::function<void()> giveUp);

    // Abandoned calls that have not finished yet.
    static int abandonedRunning();
};
