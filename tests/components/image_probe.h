#pragma once

#include <QColor>
#include <QImage>
#include <QWidget>
#include <cstdlib>

// Renders a widget on a transparent background at 1x, so tests can read what it drew.
inline QImage renderedImage(QWidget& widget) {
    QImage image(widget.size(), QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    widget.render(&image, QPoint(), QRegion(), QWidget::DrawChildren);
    return image;
}

// Pixels drawn in a clearly saturated colour (emoji, coloured marks), not white, grey or black.
inline int saturatedPixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 128 && c.hsvSaturationF() > 0.35 && c.valueF() > 0.25)
                ++count;
        }
    return count;
}

inline int opaquePixels(const QImage& image) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            count += image.pixelColor(x, y).alpha() > 0 ? 1 : 0;
    return count;
}

// Pixels whose colour is clearly not `pen`: a glyph drawn from a colour font ignores the pen, an outline
// glyph takes it.
inline int pixelsUnlike(const QImage& image, const QColor& pen) {
    int count = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() < 200)
                continue;
            const int distance = std::abs(c.red() - pen.red()) + std::abs(c.green() - pen.green()) +
                                 std::abs(c.blue() - pen.blue());
            count += distance > 90 ? 1 : 0;
        }
    return count;
}
