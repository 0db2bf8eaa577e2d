#include "app/components/zing_symbols.h"

#include "app/components/zing_resources.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <memory>

namespace ZingSymbols {

namespace {
QString pathOf(const QString& name) {
    return QStringLiteral(":/zingboard/symbols/%1.svg").arg(name);
}

// Parsing an SVG costs more than drawing it; the symbols are few and small, so each is parsed once.
QSvgRenderer* rendererFor(const QString& name) {
    ZingResources::ensureLoaded();
    static QHash<QString, std::shared_ptr<QSvgRenderer>> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        std::shared_ptr<QSvgRenderer> renderer;
        if (QFile::exists(pathOf(name))) {
            renderer = std::make_shared<QSvgRenderer>(pathOf(name));
            if (!renderer->isValid())
                renderer.reset();
        }
        it = cache.insert(name, renderer);
    }
    return it->get();
}

QImage tinted(const QString& name, const QColor& color, QSize pixels) {
    QImage image(pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (QSvgRenderer* renderer = rendererFor(name)) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
        painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
        painter.fillRect(image.rect(), color);
    }
    return image;
}
} // namespace

bool has(const QString& name) {
    return rendererFor(name) != nullptr;
}

QPixmap pixmap(const QString& name, const QColor& color, int size, qreal devicePixelRatio) {
    const int pixels = std::max(1, int(std::lround(size * devicePixelRatio)));
    QPixmap result = QPixmap::fromImage(tinted(name, color, QSize(pixels, pixels)));
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

QIcon icon(const QString& name, const QColor& color, int size) {
    QIcon result;
    result.addPixmap(pixmap(name, color, size, 1.0));
    result.addPixmap(pixmap(name, color, size, 2.0));
    return result;
}

void paint(QPainter& painter, const QRectF& rect, const QString& name, const QColor& color) {
    const qreal side = std::min(rect.width(), rect.height());
    if (side <= 0)
        return;
    const QRectF square(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    // Rasterise at the resolution the painter really draws at (device pixel ratio and any scaling), so small
    // symbols stay sharp on 2x screens.
    const qreal scale = std::sqrt(std::abs(painter.deviceTransform().determinant()));
    const int pixels = std::max(1, int(std::ceil(side * std::max<qreal>(1.0, scale))));
    painter.drawImage(square, tinted(name, color, QSize(pixels, pixels)));
}

} // namespace ZingSymbols
