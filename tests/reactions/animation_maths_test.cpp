#include "reactions/animation_curves.h"
#include "reactions/damped_spring.h"

#include <gtest/gtest.h>

namespace {

const DampedSpring cardSpring(0.5, 0.64);

TEST(DampedSpring, StartsAtRestAndHoldsBeforeRelease) {
    EXPECT_EQ(cardSpring.value(-1.0), 0.0);
    EXPECT_EQ(cardSpring.value(0.0), 0.0);
    // Released at rest: the first moment moves very little (zero initial velocity).
    EXPECT_LT(cardSpring.value(0.005), 0.01);
}

TEST(DampedSpring, ReachesTargetWithinItsResponseThenOvershootsOnce) {
    // First arrival at 1 comes before the response time.
    double firstArrival = -1;
    double peak = 0, peakAt = 0;
    for (double t = 0; t <= 2.0; t += 0.0005) {
        const double v = cardSpring.value(t);
        if (firstArrival < 0 && v >= 1.0)
            firstArrival = t;
        if (v > peak) {
            peak = v;
            peakAt = t;
        }
    }
    EXPECT_GT(firstArrival, 0.15);
    EXPECT_LT(firstArrival, 0.5);
    // A damping fraction of 0.64 overshoots by exp(-pi zeta / sqrt(1 - zeta^2)), about 7.3 %.
    EXPECT_NEAR(peak, 1.073, 0.002);
    EXPECT_NEAR(peakAt, 0.325, 0.002);
    // And then dips below 1 again once before settling.
    EXPECT_LT(cardSpring.value(0.65), 1.0);
}

TEST(DampedSpring, SettlesExactlyAndStaysThere) {
    const double settle = cardSpring.settlingTime();
    EXPECT_GT(settle, 0.5);
    EXPECT_LT(settle, 1.2);
    for (double t = settle; t < settle + 5; t += 0.37)
        EXPECT_EQ(cardSpring.value(t), 1.0) << t;
    // Just before settling it is close but not yet snapped.
    EXPECT_NEAR(cardSpring.value(settle - 0.01), 1.0, 2e-3);
}

TEST(DampedSpring, OtherDampingRegimesApproachWithoutOvershoot) {
    for (double zeta : {1.0, 1.5}) {
        const DampedSpring spring(0.5, zeta);
        double previous = 0;
        for (double t = 0.01; t < spring.settlingTime(); t += 0.01) {
            const double v = spring.value(t);
            EXPECT_GE(v, previous) << zeta << " at " << t;
            EXPECT_LE(v, 1.0) << zeta << " at " << t;
            previous = v;
        }
        EXPECT_EQ(spring.value(spring.settlingTime() + 0.01), 1.0);
    }
    // An undamped spring is cut off at a finite time instead of animating for ever.
    EXPECT_LT(DampedSpring(0.5, 0.0).settlingTime(), 60.0);
}

TEST(AnimationCurves, EaseInOutIsSymmetricAndFlatAtTheEnds) {
    struct Case {
        double x;
        double expected;
    };
    for (const Case& c : {Case{0.0, 0.0}, Case{1.0, 1.0}, Case{0.5, 0.5}, Case{-0.3, 0.0}, Case{1.7, 1.0}})
        EXPECT_NEAR(AnimationCurves::easeInOut(c.x), c.expected, 1e-6) << c.x;
    for (double x = 0.05; x < 1.0; x += 0.05)
        EXPECT_NEAR(AnimationCurves::easeInOut(x) + AnimationCurves::easeInOut(1 - x), 1.0, 1e-6) << x;
    // Slow start: a tenth of the time covers far less than a tenth of the way (about 2 %).
    EXPECT_NEAR(AnimationCurves::easeInOut(0.1), 0.0197, 0.001);
    EXPECT_GT(AnimationCurves::easeInOut(0.6), AnimationCurves::easeInOut(0.5));
}

TEST(AnimationCurves, PulseBreathesBackAndForthEvery1100Milliseconds) {
    struct Case {
        double seconds;
        double expected;
    };
    for (const Case& c : {Case{0, 0}, Case{0.55, 0.5}, Case{1.1, 1}, Case{1.65, 0.5}, Case{2.2, 0},
                          Case{3.3, 1}, Case{-1, 0}, Case{110.0, 0}})
        EXPECT_NEAR(AnimationCurves::autoreversingEaseInOut(c.seconds, 1.1), c.expected, 1e-6) << c.seconds;
    // The way back mirrors the way out.
    EXPECT_NEAR(AnimationCurves::autoreversingEaseInOut(0.3, 1.1),
                AnimationCurves::autoreversingEaseInOut(1.9, 1.1), 1e-9);
}

TEST(AnimationCurves, CubicEaseOut) {
    struct Case {
        double p;
        double expected;
    };
    for (const Case& c : {Case{0, 0}, Case{0.5, 0.875}, Case{1, 1}, Case{-2, 0}, Case{3, 1}})
        EXPECT_DOUBLE_EQ(AnimationCurves::cubicEaseOut(c.p), c.expected) << c.p;
}

} // namespace
