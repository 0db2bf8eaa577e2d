#pragma once

// Timing curves of the overlay's animations, as pure functions of time so any moment can be drawn.
namespace AnimationCurves {
// The standard ease-in-out curve (cubic Bézier with control points (0.42, 0) and (0.58, 1)); x in [0, 1].
double easeInOut(double x);
// 1 − (1 − p)³ for p clamped to [0, 1].
double cubicEaseOut(double p);
// An ease-in-out from 0 to 1 over `duration` seconds that then runs back to 0 and repeats for ever.
double autoreversingEaseInOut(double seconds, double duration);
} // namespace AnimationCurves
