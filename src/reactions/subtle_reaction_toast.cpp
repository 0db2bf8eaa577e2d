#include "reactions/subtle_reaction_toast.h"

#include "reactions/animation_curves.h"
#include "reactions/emoji_image_cache.h"
#include "reactions/overlay_fonts.h"
#include "reactions/reaction_accent.h"
#include "reactions/shadow_renderer.h"
#include "reactions/text_block.h"
#include "reactions/zing_theme.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {
constexpr double horizontalPadding = 14;
constexpr double verticalPadding = 12;
constexpr double cornerRadius = 14;
constexpr int emojiPixelSize = 28;
constexpr double pulseSeconds = 1.1;

double secondsBetween(const QDateTime& from, const QDateTime& to) {
    return double(from.msecsTo(to)) / 1000.0;
}
} // namespace

struct SubtleReactionToast::Picture {
    qreal ratio = 1;
    QSizeF size;
    double margin = 0;
    QImage background; // card, shadow and texts, drawn at (-margin, -margin)
    QImage emoji;
    QPointF emojiCentre;
};

SubtleReactionToast::SubtleReactionToast(const QString& emoji, const QString& message,
                                         const QString& subtitle,
                                         const std::optional<ReactionDetails>& details, bool pulseEmoji,
                                         const QDateTime& startDate)
    : m_emoji(emoji), m_message(message), m_subtitle(subtitle), m_details(details), m_pulseEmoji(pulseEmoji),
      m_startDate(startDate) {}

QString SubtleReactionToast::title(const QString& message, const std::optional<ReactionDetails>& details) {
    if (details) {
        if (const auto formatted = details->formattedAmount())
            return *formatted;
        if (details->amountLine)
            return *details->amountLine;
    }
    return message;
}

std::optional<QString> SubtleReactionToast::detailLine(const QString& message, const QString& subtitle,
                                                       const std::optional<ReactionDetails>& details) {
    if (details && (details->formattedAmount() || details->amountLine))
        return message;
    if (details && details->metricLabel)
        return details->metricLabel;
    if (!subtitle.isEmpty())
        return subtitle;
    return std::nullopt;
}

SubtleReactionToast::Entrance SubtleReactionToast::entrance(double seconds) {
    if (seconds < entranceDelaySeconds)
        return {0.0, slideDistance};
    const double p = std::min((seconds - entranceDelaySeconds) / entranceSeconds, 1.0);
    const double e = AnimationCurves::cubicEaseOut(p);
    return {e, (1.0 - e) * slideDistance};
}

double SubtleReactionToast::emojiScaleAt(const QDateTime& now) const {
    if (!m_pulseEmoji)
        return 1.0;
    return 1.0 + (pulseScale - 1.0) *
                     AnimationCurves::autoreversingEaseInOut(secondsBetween(m_startDate, now), pulseSeconds);
}

bool SubtleReactionToast::isAnimating(const QDateTime& now) const {
    // Half a millisecond of slack so the last frame is not lost to rounding of the two durations.
    return m_pulseEmoji || secondsBetween(m_startDate, now) + 5e-4 < entranceDelaySeconds + entranceSeconds;
}

QSizeF SubtleReactionToast::size() {
    return picture(1.0).size;
}

const SubtleReactionToast::Picture& SubtleReactionToast::picture(qreal ratio) {
    if (m_picture && m_picture->ratio == ratio)
        return *m_picture;
    auto pic = std::make_shared<Picture>();
    pic->ratio = ratio;

    const QSizeF emojiBox = EmojiImageCache::boxSize(m_emoji, emojiPixelSize);
    const double textLeft = horizontalPadding + emojiBox.width() + 12;
    const double textWidth = std::max(width - horizontalPadding - textLeft, 40.0);
    const TextBlock titleBlock(title(m_message, m_details),
                               {OverlayFonts::rounded(15, QFont::DemiBold), Qt::AlignLeft, 1}, textWidth);
    std::optional<TextBlock> detail;
    if (const auto line = detailLine(m_message, m_subtitle, m_details))
        detail.emplace(*line, TextBlock::Style{OverlayFonts::rounded(12, QFont::Medium), Qt::AlignLeft, 2},
                       textWidth);
    const double columnHeight = titleBlock.size().height() + (detail ? 3 + detail->size().height() : 0);
    const double rowHeight = std::max(emojiBox.height(), columnHeight);
    pic->size = QSizeF(width, std::ceil(rowHeight + 2 * verticalPadding));

    pic->margin = 3 * ShadowRenderer::sigmaForRadius(12) + 6;
    const double margin = pic->margin;
    const QSizeF area = pic->size + QSizeF(2 * margin, 2 * margin);
    QImage shape(int(std::ceil(area.width() * ratio)), int(std::ceil(area.height() * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    shape.setDevicePixelRatio(ratio);
    shape.fill(Qt::transparent);
    QPainterPath path;
    path.addRoundedRect(QRectF(QPointF(margin, margin), pic->size), cornerRadius, cornerRadius);
    {
        QPainter painter(&shape);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.fillPath(path, Qt::black);
    }
    pic->background = ShadowRenderer::shadow(shape, ShadowRenderer::sigmaForRadius(12) * ratio,
                                             ZingTheme::rgb(0, 0, 0, 0.28));
    {
        // The shadow sits 6 points lower; move it by redrawing onto a cleared copy.
        QImage moved(pic->background.size(), QImage::Format_ARGB32_Premultiplied);
        moved.setDevicePixelRatio(ratio);
        moved.fill(Qt::transparent);
        QPainter painter(&moved);
        painter.drawImage(QPointF(0, 6), pic->background);
        pic->background = moved;
    }
    {
        QPainter painter(&pic->background);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        // The card itself is nearly opaque: clear the shadow under it first so it does not darken the fill.
        painter.setCompositionMode(QPainter::CompositionMode_Clear);
        painter.fillPath(path, Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
        painter.fillPath(path, ZingTheme::withOpacity(ZingTheme::cardElevated(), 0.94));
        painter.setPen(QPen(ZingTheme::withOpacity(ReactionAccent::accent(m_details), 0.55), 1));
        painter.drawPath(path);
        painter.translate(margin, margin);
        const double columnTop = verticalPadding + (rowHeight - columnHeight) / 2;
        painter.setPen(ZingTheme::ink());
        titleBlock.draw(painter, QPointF(textLeft, columnTop));
        if (detail) {
            painter.setPen(ZingTheme::inkMuted());
            detail->draw(painter, QPointF(textLeft, columnTop + titleBlock.size().height() + 3));
        }
    }
    // The emoji, rendered at its largest pulse so it stays sharp.
    pic->emoji = EmojiImageCache::image(m_emoji, int(std::ceil(emojiPixelSize * pulseScale)), ratio);
    pic->emojiCentre = QPointF(horizontalPadding + emojiBox.width() / 2, verticalPadding + rowHeight / 2);

    m_picture = std::move(pic);
    return *m_picture;
}

void SubtleReactionToast::paint(QPainter& painter, QPointF topRight, const QDateTime& now) {
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const Picture& pic = picture(ratio);
    const Entrance state = entrance(secondsBetween(m_startDate, now));
    if (state.opacity <= 0)
        return;
    const double baseOpacity = painter.opacity();
    painter.save();
    painter.setOpacity(baseOpacity * state.opacity);
    painter.translate(topRight + QPointF(state.offset - pic.size.width(), 0));
    painter.drawImage(QPointF(-pic.margin, -pic.margin), pic.background);
    const double scale = emojiScaleAt(now) / pulseScale;
    const QSizeF emojiSize = pic.emoji.deviceIndependentSize() * scale;
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(
        QRectF(pic.emojiCentre - QPointF(emojiSize.width() / 2, emojiSize.height() / 2), emojiSize),
        pic.emoji);
    painter.restore();
}
