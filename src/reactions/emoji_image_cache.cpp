#include "reactions/emoji_image_cache.h"

#include "reactions/overlay_fonts.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

QHash<QString, QImage>& EmojiImageCache::entries() {
    static QHash<QString, QImage> cache;
    return cache;
}

QSizeF EmojiImageCache::boxSize(const QString& symbol, int pixelSize) {
    const QFontMetricsF metrics(OverlayFonts::emoji(pixelSize));
    return QSizeF(std::max(metrics.horizontalAdvance(symbol), 1.0), std::max(metrics.height(), 1.0));
}

const QImage& EmojiImageCache::image(const QString& symbol, int pixelSize, qreal devicePixelRatio) {
    const QString key = symbol + QLatin1Char('\x1f') + QString::number(pixelSize) + QLatin1Char('@') +
                        QString::number(devicePixelRatio);
    QHash<QString, QImage>& cache = entries();
    auto found = cache.constFind(key);
    if (found != cache.constEnd())
        return *found;
    // Users type their own emoji; keep the cache from growing without bound over a long session.
    if (cache.size() > 256)
        cache.clear();

    const QFont font = OverlayFonts::emoji(pixelSize);
    const QSizeF box = boxSize(symbol, pixelSize);
    QImage image(int(std::ceil(box.width() * devicePixelRatio)),
                 int(std::ceil(box.height() * devicePixelRatio)), QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(devicePixelRatio);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.setFont(font);
    painter.setPen(Qt::white);
    painter.drawText(QPointF(0, QFontMetricsF(font).ascent()), symbol);
    painter.end();
    return *cache.insert(key, image);
}
