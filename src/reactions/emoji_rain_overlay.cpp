#include "reactions/emoji_rain_overlay.h"

#include "model/random_source.h"
#include "reactions/emoji_image_cache.h"

#include <QPainter>
#include <cmath>

namespace {
// Drops are rendered once at the largest size and scaled down.
constexpr int largestDropSize = 44;
} // namespace

EmojiRainOverlay::EmojiRainOverlay(const QUuid& reactionID, const QString& emoji,
                                   const std::optional<ReactionDetails>& details, RandomSource& random,
                                   const QDateTime& startDate)
    : m_reactionID(reactionID), m_symbol(fallingSymbol(emoji, details)), m_raindrops(makeDrops(random)),
      m_startDate(startDate) {}

QList<RainEmoji> EmojiRainOverlay::makeDrops(RandomSource& random) {
    QList<RainEmoji> drops;
    drops.reserve(dropCount);
    for (int i = 0; i < dropCount; ++i) {
        RainEmoji drop;
        drop.x = random.uniformReal(0.05, 0.95);
        drop.size = random.uniformReal(22, 44);
        drop.drift = random.uniformReal(-40, 40);
        drop.delay = delayStep * i;
        drops.append(drop);
    }
    return drops;
}

QString EmojiRainOverlay::fallingSymbol(const QString& emoji, const std::optional<ReactionDetails>& details) {
    if (!details)
        return emoji;
    switch (details->context) {
    case ReactionContext::goal:
    case ReactionContext::test:
        return emoji;
    case ReactionContext::purchase:
        return QString::fromUtf8("\U0001F4B0");
    case ReactionContext::refund:
        return QString::fromUtf8("\U0001F4B8");
    case ReactionContext::traffic:
    case ReactionContext::revenue:
        return QString::fromUtf8("\U0001F4C8");
    case ReactionContext::conversion:
        return QString::fromUtf8("\U0001F3AF");
    case ReactionContext::seo:
        return QString::fromUtf8("\U0001F50D");
    case ReactionContext::subscription:
        return QString::fromUtf8("\U0001F501");
    case ReactionContext::whale:
        return QString::fromUtf8("\U0001F40B");
    case ReactionContext::dispute:
        return QString::fromUtf8("\u26A0\uFE0F");
    case ReactionContext::failed:
        return QString::fromUtf8("\u274C");
    }
    return emoji;
}

std::optional<EmojiRainOverlay::DropFrame> EmojiRainOverlay::dropFrame(const RainEmoji& drop, double elapsed,
                                                                       QSizeF canvas) {
    const double t = elapsed - drop.delay;
    if (t >= fallSeconds)
        return std::nullopt;
    const double p = std::max(t, 0.0);
    const double wobble = std::sin(4.0 * p);
    DropFrame frame;
    frame.centre = QPointF(drop.x * canvas.width() + drop.drift * wobble,
                           (p / fallSeconds) * canvas.height() * 1.15 - 40.0);
    frame.opacity = (1.0 - p / fallSeconds) * 0.85;
    return frame;
}

bool EmojiRainOverlay::isFinished(const QDateTime& now) const {
    return double(m_startDate.msecsTo(now)) / 1000.0 >= totalSeconds;
}

void EmojiRainOverlay::paint(QPainter& painter, const QRectF& canvas, const QDateTime& now) const {
    const double elapsed = double(m_startDate.msecsTo(now)) / 1000.0;
    if (elapsed >= totalSeconds)
        return;
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const QImage& image = EmojiImageCache::image(m_symbol, largestDropSize, ratio);
    const QSizeF box = image.deviceIndependentSize();
    const double baseOpacity = painter.opacity();
    for (const RainEmoji& drop : m_raindrops) {
        const auto frame = dropFrame(drop, elapsed, canvas.size());
        if (!frame)
            continue;
        const double scale = drop.size / largestDropSize;
        const QSizeF size = box * scale;
        const QPointF centre = canvas.topLeft() + frame->centre;
        painter.setOpacity(baseOpacity * frame->opacity);
        painter.drawImage(QRectF(centre - QPointF(size.width() / 2, size.height() / 2), size), image);
    }
    painter.setOpacity(baseOpacity);
}
