#include "reactions/meme_reaction_overlay.h"

#include "reactions/animation_curves.h"
#include "reactions/emoji_image_cache.h"
#include "reactions/flow_layout.h"
#include "reactions/overlay_fonts.h"
#include "reactions/reaction_accent.h"
#include "reactions/shadow_renderer.h"
#include "reactions/text_block.h"
#include "reactions/zing_theme.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr double cornerRadius = 20;
constexpr double emojiPixelSize = 80;
constexpr double chipFlowWidth = 380;
constexpr double stampLift = 14;

double secondsBetween(const QDateTime& from, const QDateTime& to) {
    return double(from.msecsTo(to)) / 1000.0;
}

// A transparent image of `logical` size plus `margin` on every side, in device pixels of `ratio`.
QImage canvas(QSizeF logical, double margin, qreal ratio) {
    QImage image(int(std::ceil((logical.width() + 2 * margin) * ratio)),
                 int(std::ceil((logical.height() + 2 * margin) * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(ratio);
    image.fill(Qt::transparent);
    return image;
}

// Draws `paintShape` twice: blurred as a shadow of `colour` moved by `offset`, then as itself.
template <typename PaintShape>
void withShadow(QPainter& target, QSizeF imageLogical, qreal ratio, double radius, QColor colour,
                QPointF offset, PaintShape paintShape) {
    QImage shape = canvas(imageLogical, 0, ratio);
    {
        QPainter painter(&shape);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        paintShape(painter);
    }
    const QImage shadow =
        ShadowRenderer::shadow(shape, ShadowRenderer::sigmaForRadius(radius) * ratio, colour);
    target.drawImage(offset, shadow);
    target.drawImage(QPointF(0, 0), shape);
}

} // namespace

struct MemeReactionOverlay::Picture {
    double contentWidth = 0;
    qreal ratio = 1;
    QSizeF cardSize;
    // Everything that does not move, drawn at (-backgroundMargin, -backgroundMargin) from the card's corner.
    QImage background;
    double backgroundMargin = 0;
    // The emoji with its glow; centred on emojiCentre.
    QImage emoji;
    QPointF emojiCentre;
    // The stamp with its shadow; centred on stampCentre.
    QImage stamp;
    QPointF stampCentre;
};

const DampedSpring& MemeReactionOverlay::entranceSpring() {
    static const DampedSpring spring(0.5, 0.64);
    return spring;
}

MemeReactionOverlay::MemeReactionOverlay(const QUuid& reactionID, const QString& emoji,
                                         const QString& message, const QString& subtitle,
                                         const std::optional<ReactionDetails>& details,
                                         bool animationsEnabled, const QDateTime& shownAt)
    : m_reactionID(reactionID), m_emoji(emoji), m_message(message), m_subtitle(subtitle), m_details(details),
      m_animationsEnabled(animationsEnabled), m_shownAt(shownAt) {}

std::optional<QStringList> MemeReactionOverlay::detailChips(const std::optional<ReactionDetails>& details) {
    if (!details)
        return std::nullopt;
    QStringList chips;
    if (details->context == ReactionContext::goal && details->metricLabel)
        chips.append(QString::fromUtf8("\U0001F4CA ") + *details->metricLabel);
    if (details->productLine)
        chips.append(QString::fromUtf8("\U0001F4E6 ") + *details->productLine);
    if (details->planLine)
        chips.append(QString::fromUtf8("\U0001F3F7 ") + *details->planLine);
    if (chips.isEmpty())
        return std::nullopt;
    return chips;
}

std::optional<QString> MemeReactionOverlay::metricLabelLine(const std::optional<ReactionDetails>& details) {
    if (!details || !details->metricLabel)
        return std::nullopt;
    switch (details->context) {
    case ReactionContext::goal:
    case ReactionContext::traffic:
    case ReactionContext::conversion:
    case ReactionContext::seo:
    case ReactionContext::subscription:
    case ReactionContext::whale:
    case ReactionContext::dispute:
    case ReactionContext::failed:
        return details->metricLabel;
    default:
        return std::nullopt;
    }
}

std::optional<MemeReactionOverlay::Amount>
MemeReactionOverlay::amount(const std::optional<ReactionDetails>& details) {
    if (!details)
        return std::nullopt;
    // A real figure (goal progress or a charge in cents) is big. A ready-made line alone is sized by
    // context: formattedAmount() falls back to that line too, and taking it at 48 would never let a
    // traffic or SEO change line use the smaller size it needs.
    const bool goalFigures =
        details->context == ReactionContext::goal && details->currentValue && details->targetValue;
    if (goalFigures || details->amountCents) {
        if (const auto formatted = details->formattedAmount())
            return Amount{*formatted, 48};
    }
    if (!details->amountLine)
        return std::nullopt;
    const bool money =
        details->context == ReactionContext::purchase || details->context == ReactionContext::refund;
    return Amount{*details->amountLine, money ? 48 : 34};
}

double MemeReactionOverlay::finalStampAngle(const std::optional<ReactionDetails>& details) {
    return details && details->context == ReactionContext::refund ? 6.0 : -6.0;
}

MemeReactionOverlay::AnimationState MemeReactionOverlay::animationStateAt(const QDateTime& now) const {
    const double finalAngle = finalStampAngle(m_details);
    if (!m_animationsEnabled)
        return {1.0, 1.0, finalAngle, 1.0, 1.0};
    const double t = secondsBetween(m_shownAt, now) - entranceDelaySeconds;
    const double s = entranceSpring().value(t);
    AnimationState state;
    state.cardScale = 0.75 + 0.25 * s;
    state.cardOpacity = std::clamp(s, 0.0, 1.0);
    state.stampRotation = -20.0 + (finalAngle + 20.0) * s;
    state.stampOpacity = std::clamp(s, 0.0, 1.0);
    // The breathing starts together with the spring.
    state.emojiScale =
        t <= 0 ? 1.0 : 1.0 + (pulseScale - 1.0) * AnimationCurves::autoreversingEaseInOut(t, pulseSeconds);
    return state;
}

QRectF MemeReactionOverlay::cardRect(const QRectF& window) {
    const double contentWidth = std::clamp(window.width() - 2 * padding - 16, 120.0, maxContentWidth);
    const QSizeF size = picture(contentWidth, 1.0).cardSize;
    return QRectF(window.center() - QPointF(size.width() / 2, size.height() / 2), size);
}

const MemeReactionOverlay::Picture& MemeReactionOverlay::picture(double contentWidth, qreal ratio) {
    if (m_picture && m_picture->contentWidth == contentWidth && m_picture->ratio == ratio)
        return *m_picture;

    auto pic = std::make_shared<Picture>();
    pic->contentWidth = contentWidth;
    pic->ratio = ratio;
    const QColor accent = ReactionAccent::accent(m_details);

    // Measure the stack.
    const QSizeF emojiBox = EmojiImageCache::boxSize(m_emoji, int(emojiPixelSize));
    const TextBlock message(m_message.toUpper(),
                            {OverlayFonts::rounded(22, QFont::Black), Qt::AlignHCenter, 2, 0.7},
                            contentWidth);
    std::optional<TextBlock> label;
    if (const auto line = metricLabelLine(m_details))
        label.emplace(*line, TextBlock::Style{OverlayFonts::rounded(13, QFont::Bold)}, contentWidth);
    const auto amountValue = amount(m_details);
    std::optional<TextBlock> amountText;
    if (amountValue)
        amountText.emplace(amountValue->text,
                           TextBlock::Style{OverlayFonts::rounded(amountValue->pixelSize, QFont::Black)},
                           contentWidth);
    std::optional<TextBlock> subtitle;
    if (!m_subtitle.isEmpty())
        subtitle.emplace(m_subtitle, TextBlock::Style{OverlayFonts::rounded(13, QFont::DemiBold)},
                         contentWidth - 8);

    const QFont chipFont = OverlayFonts::rounded(11, QFont::Bold);
    const QFontMetricsF chipMetrics(chipFont);
    const auto chips = detailChips(m_details);
    QList<QSizeF> chipSizes;
    if (chips)
        for (const QString& chip : *chips)
            chipSizes.append(QSizeF(std::ceil(chipMetrics.horizontalAdvance(chip)) + 20,
                                    std::ceil(chipMetrics.height()) + 10));
    const FlowLayout flow(8);
    const FlowLayout::Arrangement chipLayout = flow.arrange(std::min(chipFlowWidth, contentWidth), chipSizes);

    double y = padding;
    const auto advance = [&](double height) {
        const double top = y;
        y += height + spacing;
        return top;
    };
    const double emojiTop = advance(emojiBox.height());
    const double messageTop = advance(message.size().height());
    const double labelTop = label ? advance(label->size().height()) : 0;
    const double amountTop = amountText ? advance(amountText->size().height()) : 0;
    const double subtitleTop = subtitle ? advance(subtitle->size().height()) : 0;
    const double chipsTop = chips ? advance(chipLayout.size.height()) : 0;
    y -= spacing;
    pic->cardSize = QSizeF(contentWidth + 2 * padding, y + padding);
    const double left = padding;

    // Background and still texts.
    pic->backgroundMargin = 3 * ShadowRenderer::sigmaForRadius(24) + 16;
    const double margin = pic->backgroundMargin;
    pic->background = canvas(pic->cardSize, margin, ratio);
    {
        QPainter painter(&pic->background);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        painter.translate(margin, margin);
        const QRectF cardShape(QPointF(0, 0), pic->cardSize);
        QPainterPath path;
        path.addRoundedRect(cardShape, cornerRadius, cornerRadius);

        painter.save();
        painter.translate(-margin, -margin);
        withShadow(painter, pic->cardSize + QSizeF(2 * margin, 2 * margin), ratio, 24,
                   ZingTheme::rgb(0, 0, 0, 0.35), QPointF(0, 16), [&](QPainter& p) {
                       p.translate(margin, margin);
                       p.fillPath(path, ZingTheme::cardElevated());
                   });
        painter.restore();
        painter.setPen(QPen(ZingTheme::withOpacity(accent, 0.35), 1));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(cardShape.adjusted(0.5, 0.5, -0.5, -0.5), cornerRadius, cornerRadius);

        painter.setPen(ZingTheme::ink());
        message.draw(painter, QPointF(left, messageTop));
        if (label) {
            painter.setPen(accent);
            label->draw(painter, QPointF(left, labelTop));
        }
        if (amountText) {
            const QPointF origin(left, amountTop);
            const QSizeF area(contentWidth + 16, amountText->size().height() + 16);
            painter.save();
            painter.translate(origin - QPointF(8, 8));
            withShadow(painter, area, ratio, 4, ZingTheme::rgb(0, 0, 0, 0.3), QPointF(0, 2),
                       [&](QPainter& p) {
                           QRectF ink = amountText->linesRect().translated(8, 8);
                           p.setPen(QPen(QBrush(ReactionAccent::accentGradient(m_details).in(ink)), 0));
                           amountText->draw(p, QPointF(8, 8));
                       });
            painter.restore();
        }
        if (subtitle) {
            painter.setPen(ZingTheme::inkMuted());
            subtitle->draw(painter, QPointF(left + 4, subtitleTop));
        }
        if (chips) {
            const double flowLeft = left + (contentWidth - chipLayout.size.width()) / 2;
            painter.setFont(chipFont);
            for (qsizetype i = 0; i < chips->size(); ++i) {
                const QRectF frame = chipLayout.frames[i].translated(flowLeft, chipsTop);
                const double r = frame.height() / 2;
                painter.setPen(QPen(ZingTheme::withOpacity(accent, 0.35), 1));
                painter.setBrush(ZingTheme::rgb(1, 1, 1, 0.1));
                painter.drawRoundedRect(frame.adjusted(0.5, 0.5, -0.5, -0.5), r, r);
                painter.setPen(ZingTheme::ink());
                painter.drawText(frame, Qt::AlignCenter, chips->at(i));
            }
        }
    }

    // The emoji with its glow, rendered at the pulse's largest scale so it stays sharp while breathing.
    {
        const double glowMargin = 3 * ShadowRenderer::sigmaForRadius(20);
        const qreal emojiRatio = ratio * pulseScale;
        const QSizeF area = emojiBox + QSizeF(2 * glowMargin, 2 * glowMargin);
        pic->emoji = canvas(area, 0, emojiRatio);
        QPainter painter(&pic->emoji);
        withShadow(painter, area, emojiRatio, 20, ZingTheme::withOpacity(accent, 0.85), QPointF(0, 0),
                   [&](QPainter& p) {
                       p.setRenderHint(QPainter::TextAntialiasing);
                       p.setFont(OverlayFonts::emoji(int(emojiPixelSize)));
                       p.setPen(ZingTheme::ink());
                       p.drawText(QPointF(glowMargin, glowMargin + QFontMetricsF(p.font()).ascent()),
                                  m_emoji);
                   });
        pic->emojiCentre = QPointF(pic->cardSize.width() / 2, emojiTop + emojiBox.height() / 2);
    }

    // The stamp.
    {
        const QString stampEmoji = ReactionAccent::stampEmoji(m_details);
        const QString stampText = ReactionAccent::stampText(m_details);
        const QFont emojiFont = OverlayFonts::emoji(13);
        QFont textFont = OverlayFonts::rounded(12, QFont::Black);
        textFont.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
        const QFontMetricsF emojiMetrics(emojiFont), textMetrics(textFont);
        const double emojiWidth = emojiMetrics.horizontalAdvance(stampEmoji);
        const double textWidth = textMetrics.horizontalAdvance(stampText);
        const double rowHeight = std::max(emojiMetrics.height(), textMetrics.height());
        const QSizeF capsule(std::ceil(14 + emojiWidth + 5 + textWidth + 14), std::ceil(rowHeight + 14));
        const double shadowMargin = 3 * ShadowRenderer::sigmaForRadius(12) + 4;
        const QSizeF area = capsule + QSizeF(2 * shadowMargin, 2 * shadowMargin);
        pic->stamp = canvas(area, 0, ratio);
        QPainter painter(&pic->stamp);
        painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
        const QRectF shape(QPointF(shadowMargin, shadowMargin), capsule);
        withShadow(painter, area, ratio, 12, ZingTheme::withOpacity(accent, 0.5), QPointF(0, 4),
                   [&](QPainter& p) {
                       p.setPen(Qt::NoPen);
                       p.setBrush(accent);
                       p.drawRoundedRect(shape, capsule.height() / 2, capsule.height() / 2);
                   });
        const double baseline = shape.center().y() + (textMetrics.ascent() - textMetrics.descent()) / 2;
        painter.setFont(emojiFont);
        painter.setPen(ZingTheme::ink());
        const double emojiBaseline =
            shape.center().y() + (emojiMetrics.ascent() - emojiMetrics.descent()) / 2;
        painter.drawText(QPointF(shape.left() + 14, emojiBaseline), stampEmoji);
        painter.setFont(textFont);
        painter.setPen(ZingTheme::rgb(0.07, 0.06, 0.11));
        painter.drawText(QPointF(shape.left() + 14 + emojiWidth + 5, baseline), stampText);
        pic->stampCentre = QPointF(pic->cardSize.width() / 2, -stampLift + capsule.height() / 2);
    }

    m_picture = std::move(pic);
    return *m_picture;
}

void MemeReactionOverlay::paint(QPainter& painter, const QRectF& window, const QDateTime& now) {
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    const double contentWidth = std::clamp(window.width() - 2 * padding - 16, 120.0, maxContentWidth);
    const Picture& pic = picture(contentWidth, ratio);
    const AnimationState state = animationStateAt(now);
    if (state.cardOpacity <= 0)
        return;

    const double baseOpacity = painter.opacity();
    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform, state.cardScale != 1.0);
    painter.translate(window.center());
    painter.scale(state.cardScale, state.cardScale);
    painter.translate(-pic.cardSize.width() / 2, -pic.cardSize.height() / 2);
    painter.setOpacity(baseOpacity * state.cardOpacity);
    painter.drawImage(QPointF(-pic.backgroundMargin, -pic.backgroundMargin), pic.background);

    painter.save();
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.translate(pic.emojiCentre);
    painter.scale(state.emojiScale, state.emojiScale);
    const QSizeF emojiSize = pic.emoji.deviceIndependentSize();
    painter.drawImage(QPointF(-emojiSize.width() / 2, -emojiSize.height() / 2), pic.emoji);
    painter.restore();

    if (state.stampOpacity > 0) {
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.translate(pic.stampCentre);
        painter.rotate(state.stampRotation);
        painter.setOpacity(baseOpacity * state.cardOpacity * state.stampOpacity);
        const QSizeF stampSize = pic.stamp.deviceIndependentSize();
        painter.drawImage(QPointF(-stampSize.width() / 2, -stampSize.height() / 2), pic.stamp);
    }
    painter.restore();
}
