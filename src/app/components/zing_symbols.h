#pragma once

#include <QColor>
#include <QIcon>
#include <QPixmap>
#include <QString>

class QPainter;
class QRectF;

// Our monochrome symbol set, one SVG per name under data/symbols/, tinted at run time. Names follow the
// symbol names the screens are written with ("bolt.fill", "chevron.down", ...). An unknown name draws
// nothing: pixmaps come back transparent and has() says false, so a typo shows as a gap, not a crash.
namespace ZingSymbols {
bool has(const QString& name);
// A square pixmap of `size` logical pixels at the given device pixel ratio, filled with `color` where the
// symbol is drawn.
QPixmap pixmap(const QString& name, const QColor& color, int size, qreal devicePixelRatio = 1.0);
// An icon with 1x and 2x pixmaps of `size`.
QIcon icon(const QString& name, const QColor& color, int size);
// Draws the symbol into `rect` (kept square and centred) at the painter's device pixel ratio.
void paint(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color);
} // namespace ZingSymbols
