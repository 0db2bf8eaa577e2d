#include "app/shell/zing_logo_icon.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPixmap>

namespace ZingLogoIcon {

namespace {

// A lightning bolt on a rounded square in the brand gradient.
QPixmap draw(int size) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF square(0.5, 0.5, size - 1.0, size - 1.0);
    QLinearGradient gradient(square.topLeft(), square.bottomRight());
    gradient.setColorAt(0, QColor(255, 94, 138));
    gradient.setColorAt(1, QColor(124, 77, 255));
    QPainterPath background;
    background.addRoundedRect(square, size * 0.24, size * 0.24);
    painter.fillPath(background, gradient);
    const double s = size;
    QPainterPath bolt;
    bolt.moveTo(s * 0.58, s * 0.12);
    bolt.lineTo(s * 0.26, s * 0.56);
    bolt.lineTo(s * 0.47, s * 0.56);
    bolt.lineTo(s * 0.40, s * 0.88);
    bolt.lineTo(s * 0.74, s * 0.42);
    bolt.lineTo(s * 0.53, s * 0.42);
    bolt.closeSubpath();
    painter.fillPath(bolt, QColor(255, 255, 255));
    return pixmap;
}

} // namespace

QIcon icon() {
    QIcon result;
    for (int size : {16, 22, 24, 32, 48, 64, 128})
        result.addPixmap(draw(size));
    return result;
}

} // namespace ZingLogoIcon
