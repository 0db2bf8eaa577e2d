#include "reactions/zing_theme.h"

QLinearGradient ZingGradient::in(const QRectF& rect) const {
    const auto at = [&](QPointF unit) {
        return QPointF(rect.left() + unit.x() * rect.width(), rect.top() + unit.y() * rect.height());
    };
    QLinearGradient gradient(at(start), at(end));
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    return gradient;
}

namespace ZingTheme {

QColor rgb(double red, double green, double blue, double opacity) {
    return QColor::fromRgbF(float(red), float(green), float(blue), float(opacity));
}

QColor withOpacity(QColor color, double opacity) {
    color.setAlphaF(float(color.alphaF() * opacity));
    return color;
}

QColor hotPink() {
    return rgb(1.0, 0.18, 0.55);
}
QColor electricPurple() {
    return rgb(0.48, 0.22, 1.0);
}
QColor midnight() {
    return rgb(0.07, 0.06, 0.12);
}
QColor card() {
    return rgb(0.14, 0.13, 0.2);
}
QColor cardElevated() {
    return rgb(0.18, 0.16, 0.24);
}
QColor ink() {
    return rgb(1, 1, 1);
}
QColor inkMuted() {
    return rgb(1, 1, 1, 0.72);
}
QColor inkFaint() {
    return rgb(1, 1, 1, 0.48);
}
QColor lime() {
    return rgb(0.72, 1.0, 0.2);
}
QColor warning() {
    return rgb(1.0, 0.72, 0.35);
}
QColor moneyGreen() {
    return rgb(0.22, 1.0, 0.55);
}
QColor refundRed() {
    return rgb(1.0, 0.28, 0.38);
}

namespace {
const QPointF topLeading(0, 0);
const QPointF bottomTrailing(1, 1);
const QPointF leading(0, 0.5);
const QPointF trailing(1, 0.5);
const QPointF top(0.5, 0);
const QPointF bottom(0.5, 1);
} // namespace

ZingGradient heroGradient() {
    return {hotPink(), electricPurple(), topLeading, bottomTrailing};
}
ZingGradient moneyGradient() {
    return {moneyGreen(), lime(), leading, trailing};
}
ZingGradient refundGradient() {
    return {refundRed(), hotPink(), leading, trailing};
}
ZingGradient panelBackground() {
    return {midnight(), rgb(0.1, 0.06, 0.17), top, bottom};
}

} // namespace ZingTheme
