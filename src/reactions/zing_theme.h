#pragma once

#include <QColor>
#include <QLinearGradient>
#include <QPointF>
#include <QRectF>

// A two-stop linear gradient whose end points are fractions of the rectangle it fills, so one value
// serves shapes of any size.
struct ZingGradient {
    QColor from;
    QColor to;
    QPointF start; // (0, 0) = top-left, (1, 1) = bottom-right
    QPointF end;

    bool operator==(const ZingGradient&) const = default;
    QLinearGradient in(const QRectF& rect) const;
};

// The one colour palette of the overlay and the screens.
namespace ZingTheme {
QColor hotPink();
QColor electricPurple();
QColor midnight();
QColor card();
QColor cardElevated();
QColor ink();
QColor inkMuted();
QColor inkFaint();
QColor lime();
QColor warning();
QColor moneyGreen();
QColor refundRed();

ZingGradient heroGradient();
ZingGradient moneyGradient();
ZingGradient refundGradient();
ZingGradient panelBackground();

// Helpers for the palette's own notation: sRGB components from 0 to 1.
QColor rgb(double red, double green, double blue, double opacity = 1.0);
QColor withOpacity(QColor color, double opacity);
} // namespace ZingTheme
