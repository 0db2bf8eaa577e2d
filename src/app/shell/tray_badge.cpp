#include "app/shell/tray_badge.h"

#include "model/c_format.h"

#include <QFont>
#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace TrayBadge {

namespace {

// The number with a unit suffix, with one decimal only when it says something ("1.2k", "12k", "1M").
QString scaled(double magnitude, bool withDecimal) {
    static const struct {
        double divisor;
        char suffix;
    } units[] = {{1e3, 'k'}, {1e6, 'M'}, {1e9, 'B'}, {1e12, 'T'}};
    if (magnitude < 1000)
        return cFormat("%.0f", magnitude);
    for (const auto& unit : units) {
        const double value = magnitude / unit.divisor;
        const double tenths = std::round(value * 10) / 10;
        if (withDecimal && tenths < 10 && tenths != std::floor(tenths))
            return cFormat("%.1f", tenths) + QLatin1Char(unit.suffix);
        // 999,600 rounds to 1000k: say 1M instead.
        if (std::round(value) < 1000)
            return cFormat("%.0f", std::round(value)) + QLatin1Char(unit.suffix);
    }
    return QString();
}

} // namespace

QString compactText(const QString& title) {
    const QString trimmed = title.trimmed();
    // A currency sign before or after the number the engine formatted (C locale, possibly negative).
    qsizetype start = 0;
    while (start < trimmed.size() && !trimmed.at(start).isDigit() && trimmed.at(start) != QLatin1Char('-'))
        ++start;
    qsizetype end = trimmed.size();
    while (end > start && !trimmed.at(end - 1).isDigit())
        --end;
    const QString prefix = trimmed.left(start);
    const QString suffix = trimmed.mid(end).trimmed();
    bool ok = false;
    const double value = trimmed.mid(start, end - start).toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return QString();
    const QString sign = value < 0 ? QStringLiteral("-") : QString();
    const double magnitude = std::fabs(std::round(value));

    // The number matters more than the currency sign: the sign is dropped first when space runs out.
    for (bool withCurrency : {true, false}) {
        for (bool withDecimal : {true, false}) {
            const QString number = scaled(magnitude, withDecimal);
            if (number.isEmpty())
                return QString();
            const QString text = withCurrency ? sign + prefix + number + suffix : sign + number;
            if (text.size() <= kMaxCharacters)
                return text;
        }
    }
    return QString();
}

QPixmap render(const QIcon& logo, int size, const QString& badge) {
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    logo.paint(&painter, QRect(0, 0, size, size));
    if (badge.isEmpty())
        return pixmap;

    // The pill spans the icon's width and its lower part; the text is as large as the width allows.
    QFont font;
    font.setBold(true);
    font.setPixelSize(std::max(7, int(size * 0.5)));
    const double maxWidth = size - 2.0;
    while (font.pixelSize() > 6 && QFontMetricsF(font).horizontalAdvance(badge) > maxWidth)
        font.setPixelSize(font.pixelSize() - 1);
    const QFontMetricsF metrics(font);
    const double height = std::min<double>(size * 0.55, metrics.height() + 1);
    const double width = std::min(double(size), metrics.horizontalAdvance(badge) + 3);
    const QRectF pill((size - width) / 2, size - height, width, height);
    QPainterPath path;
    path.addRoundedRect(pill, height / 2.5, height / 2.5);
    painter.fillPath(path, QColor(20, 16, 30, 235));
    painter.setPen(QColor(255, 255, 255));
    painter.setFont(font);
    painter.drawText(pill, Qt::AlignCenter, badge);
    return pixmap;
}

QIcon icon(const QIcon& logo, const QString& badge) {
    QIcon result;
    for (int size : {16, 22, 24, 32, 48, 64})
        result.addPixmap(render(logo, size, badge));
    return result;
}

} // namespace TrayBadge
