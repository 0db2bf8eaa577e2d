#pragma once

#include <QColor>
#include <QImage>

// Soft drop shadows for QPainter, which has none: the alpha of a rendered shape blurred and tinted.
namespace ShadowRenderer {
// Blurs the alpha channel of `shape` (premultiplied ARGB, with room around the shape for the blur) with a
// Gaussian of standard deviation `sigma` device pixels, and fills the result with `colour`.
QImage shadow(const QImage& shape, double sigma, const QColor& colour);
// The standard deviation that a design's shadow radius stands for.
inline double sigmaForRadius(double radius) {
    return radius / 2.0;
}
} // namespace ShadowRenderer
