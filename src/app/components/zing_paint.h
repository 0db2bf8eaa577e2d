#pragma once

#include <QColor>
#include <QRectF>

class QPainter;

// Small drawing helpers the components share.
namespace ZingPaint {
// The keyboard-focus mark of every focusable component: a lime outline just inside `rect`.
void focusRing(QPainter& painter, const QRectF& rect, qreal radius);
QColor focusColor();
// Linear interpolation, for values that ease between two states.
constexpr double mix(double from, double to, double progress) {
    return from + (to - from) * progress;
}
} // namespace ZingPaint
