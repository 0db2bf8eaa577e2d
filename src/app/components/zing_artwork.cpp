#include "app/components/zing_artwork.h"

#include "app/components/zing_resources.h"

#include <QFile>
#include <QHash>
#include <QPainter>
#include <QSvgRenderer>
#include <cmath>
#include <memory>

namespace ZingArtwork {

namespace {
QSvgRenderer* rendererFor(const QString& name) {
    ZingResources::ensureLoaded();
    static QHash<QString, std::shared_ptr<QSvgRenderer>> cache;
    auto it = cache.find(name);
    if (it == cache.end()) {
        const QString path = QStringLiteral(":/zingboard/artwork/%1.svg").arg(name);
        std::shared_ptr<QSvgRenderer> renderer;
        if (QFile::exists(path)) {
            renderer = std::make_shared<QSvgRenderer>(path);
            if (!renderer->isValid())
                renderer.reset();
        }
        it = cache.insert(name, renderer);
    }
    return it->get();
}
} // namespace

bool has(const QString& name) {
    return rendererFor(name) != nullptr;
}

QPixmap pixmap(const QString& name, int size, qreal devicePixelRatio) {
    const int pixels = std::max(1, int(std::lround(size * devicePixelRatio)));
    QImage image(pixels, pixels, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    if (QSvgRenderer* renderer = rendererFor(name)) {
        QPainter painter(&image);
        painter.setRenderHint(QPainter::Antialiasing);
        renderer->render(&painter, QRectF(0, 0, pixels, pixels));
    }
    QPixmap result = QPixmap::fromImage(image);
    result.setDevicePixelRatio(devicePixelRatio);
    return result;
}

QIcon icon(const QString& name) {
    QIcon result;
    for (int size : {16, 22, 24, 32, 48, 64, 128})
        result.addPixmap(pixmap(name, size));
    return result;
}

void paint(QPainter& painter, const QRectF& rect, const QString& name) {
    QSvgRenderer* renderer = rendererFor(name);
    const qreal side = std::min(rect.width(), rect.height());
    if (!renderer || side <= 0)
        return;
    const QRectF square(rect.center().x() - side / 2, rect.center().y() - side / 2, side, side);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing);
    renderer->render(&painter, square);
    painter.restore();
}

} // namespace ZingArtwork
