#include "app/components/zing_paint.h"

#include "reactions/zing_theme.h"

#include <QPainter>
#include <QPen>

namespace ZingPaint {

QColor focusColor() {
    return ZingTheme::lime();
}

void focusRing(QPainter& painter, const QRectF& rect, qreal radius) {
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(focusColor(), 2));
    painter.drawRoundedRect(rect.adjusted(1, 1, -1, -1), std::max<qreal>(0, radius - 1),
                            std::max<qreal>(0, radius - 1));
    painter.restore();
}

} // namespace ZingPaint
