#include "reactions/shadow_renderer.h"

#include <QList>
#include <algorithm>
#include <cmath>

namespace ShadowRenderer {

namespace {
// Three box blurs in a row approximate a Gaussian closely; these are their widths for `sigma`.
QList<int> boxWidths(double sigma) {
    const int n = 3;
    const double ideal = std::sqrt(12.0 * sigma * sigma / n + 1.0);
    int lower = int(std::floor(ideal));
    if (lower % 2 == 0)
        --lower;
    const int upper = lower + 2;
    const double m = std::round((12.0 * sigma * sigma - n * lower * lower - 4.0 * n * lower - 3.0 * n) /
                                (-4.0 * lower - 4.0));
    QList<int> widths;
    for (int i = 0; i < n; ++i)
        widths.append(i < m ? lower : upper);
    return widths;
}

// One running-sum box blur of `radius` along rows (stride 1) or columns (stride = width).
void boxBlur(const QList<float>& in, QList<float>& out, int width, int height, int radius, bool horizontal) {
    const int lines = horizontal ? height : width;
    const int length = horizontal ? width : height;
    const int step = horizontal ? 1 : width;
    const float scale = 1.0f / float(2 * radius + 1);
    for (int line = 0; line < lines; ++line) {
        const int base = horizontal ? line * width : line;
        float sum = 0;
        for (int i = -radius; i <= radius; ++i)
            sum += (i >= 0 && i < length) ? in[base + i * step] : 0.0f;
        for (int i = 0; i < length; ++i) {
            out[base + i * step] = sum * scale;
            const int leaving = i - radius;
            const int entering = i + radius + 1;
            if (leaving >= 0)
                sum -= in[base + leaving * step];
            if (entering < length)
                sum += in[base + entering * step];
        }
    }
}
} // namespace

QImage shadow(const QImage& shape, double sigma, const QColor& colour) {
    const QImage source = shape.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const int width = source.width();
    const int height = source.height();
    QList<float> a(qsizetype(width) * height), b(qsizetype(width) * height);
    for (int y = 0; y < height; ++y) {
        const QRgb* row = reinterpret_cast<const QRgb*>(source.constScanLine(y));
        for (int x = 0; x < width; ++x)
            a[y * width + x] = float(qAlpha(row[x]));
    }
    if (sigma > 0.3) {
        for (int box : boxWidths(sigma)) {
            const int radius = (box - 1) / 2;
            boxBlur(a, b, width, height, radius, true);
            boxBlur(b, a, width, height, radius, false);
        }
    }

    QImage result(width, height, QImage::Format_ARGB32_Premultiplied);
    result.setDevicePixelRatio(shape.devicePixelRatio());
    const double opacity = colour.alphaF();
    const double red = colour.redF(), green = colour.greenF(), blue = colour.blueF();
    for (int y = 0; y < height; ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(result.scanLine(y));
        for (int x = 0; x < width; ++x) {
            const double alpha = std::clamp(a[y * width + x] / 255.0 * opacity, 0.0, 1.0);
            row[x] = qRgba(int(std::lround(red * alpha * 255)), int(std::lround(green * alpha * 255)),
                           int(std::lround(blue * alpha * 255)), int(std::lround(alpha * 255)));
        }
    }
    return result;
}

} // namespace ShadowRenderer
