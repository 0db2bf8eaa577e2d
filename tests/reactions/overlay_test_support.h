#pragma once

#include "engine/reaction_details.h"
#include "model/reaction_config.h"
#include "model/reaction_context.h"

#include <QColor>
#include <QImage>
#include <QString>
#include <optional>

namespace overlay_test {

inline ReactionDetails details(ReactionContext context) {
    ReactionDetails d;
    d.context = context;
    return d;
}

// Details as the engine fills them for a payment, a metric rise and a goal.
inline ReactionDetails purchaseDetails() {
    ReactionDetails d = details(ReactionContext::purchase);
    d.buyerLine = QStringLiteral("Alex Chen · alex.chen@example.com");
    d.productLine = QStringLiteral("Zingboard Pro");
    d.planLine = QStringLiteral("Annual");
    d.amountCents = 4900;
    d.amountLine = QStringLiteral("$49.00 paid");
    return d;
}

inline ReactionDetails trafficDetails() {
    ReactionDetails d = details(ReactionContext::traffic);
    d.headline = QStringLiteral("Sessions up");
    d.amountLine = QString::fromUtf8("+12 · 345");
    d.metricLabel = QStringLiteral("Sessions");
    d.currentValue = 345;
    d.targetValue = 12;
    return d;
}

inline ReactionDetails goalDetails() {
    ReactionDetails d = details(ReactionContext::goal);
    d.metricLabel = QStringLiteral("Revenue today");
    d.currentValue = 120;
    d.targetValue = 100;
    d.isCurrencyMetric = true;
    return d;
}

inline ReactionConfig config(const QString& emoji, const QString& message) {
    ReactionConfig c;
    c.emoji = emoji;
    c.message = message;
    return c;
}

inline bool near(QColor a, QColor b, int tolerance) {
    return std::abs(a.red() - b.red()) <= tolerance && std::abs(a.green() - b.green()) <= tolerance &&
           std::abs(a.blue() - b.blue()) <= tolerance;
}

// Un-premultiplied colour of a pixel.
inline QColor pixel(const QImage& image, int x, int y) {
    return image.pixelColor(x, y);
}

} // namespace overlay_test
