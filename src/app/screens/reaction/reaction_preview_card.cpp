#include "app/screens/reaction/reaction_preview_card.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_symbols.h"
#include "app/screens/reaction/reaction_preview.h"
#include "reactions/emoji_image_cache.h"
#include "reactions/reaction_accent.h"
#include "reactions/shadow_renderer.h"
#include "reactions/zing_theme.h"

#include <QFontMetricsF>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace {

constexpr double paddingX = 16;
constexpr double paddingTop = 18;
constexpr double paddingBottom = 16;
constexpr double spacing = 10;
constexpr double cornerRadius = 20;
constexpr int emojiPixelSize = 52;
constexpr double glowRadius = 12;
constexpr double stampDrop = 10;
constexpr double chipSpacing = 6;
constexpr int stampEmojiPixelSize = 12;
constexpr int soundSymbolSize = 9;

QFont stampFont() {
    QFont font = ZingFonts::rounded(10, QFont::Black);
    font.setLetterSpacing(QFont::AbsoluteSpacing, 1.5);
    return font;
}

QFont chipFont() {
    return ZingFonts::rounded(9, QFont::Bold);
}

QFont soundFont() {
    return ZingFonts::rounded(9, QFont::DemiBold);
}

double glowMargin() {
    return 3 * ShadowRenderer::sigmaForRadius(glowRadius);
}

} // namespace

struct ReactionPreviewCard::Layout {
    QRectF stamp; // before its tilt and drop
    QRectF card;
    QRectF emoji;
    std::optional<TextBlock> message;
    QPointF messageAt;
    std::optional<TextBlock> amount;
    QPointF amountAt;
    std::optional<TextBlock> subtitle;
    QPointF subtitleAt;
    QStringList chips;
    QList<QRectF> chipFrames;
    QRectF soundRow;
    double height = 0;
};

ReactionPreviewCard::ReactionPreviewCard(QWidget* parent) : QWidget(parent) {
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ReactionPreviewCard::setReaction(const ReactionConfig& reaction) {
    m_reaction = reaction;
    changed();
}

void ReactionPreviewCard::setContext(ReactionContext context) {
    m_context = context;
    changed();
}

void ReactionPreviewCard::setSubtitle(const QString& subtitle) {
    m_subtitle = subtitle;
    changed();
}

void ReactionPreviewCard::setDetails(const std::optional<ReactionDetails>& details) {
    m_details = details;
    changed();
}

void ReactionPreviewCard::changed() {
    updateGeometry();
    update();
}

TextBlock ReactionPreviewCard::messageBlock(const QString& message, double cardWidth) {
    return TextBlock(message.toUpper(), {ZingFonts::rounded(14, QFont::Black), Qt::AlignHCenter, 2, 0.75},
                     std::max(1.0, cardWidth - 2 * paddingX));
}

ReactionPreviewCard::Layout ReactionPreviewCard::layOut(double width) const {
    Layout layout;
    const QSizeF stampEmoji =
        EmojiImageCache::boxSize(ReactionContexts::stampEmoji(m_context), stampEmojiPixelSize);
    const QFontMetricsF stampText(stampFont());
    const QString text = ReactionContexts::stampText(m_context);
    const QSizeF stampSize(10 + stampEmoji.width() + 4 + stampText.horizontalAdvance(text) + 10,
                           std::max(stampEmoji.height(), stampText.height()) + 10);
    layout.stamp = QRectF(QPointF((width - stampSize.width()) / 2, 0), stampSize);

    const double contentWidth = std::max(1.0, width - 2 * paddingX);
    const double top = stampSize.height();
    double y = top + paddingTop;
    const auto place = [&](double height) {
        const double at = y;
        y += height + spacing;
        return at;
    };

    const QSizeF emojiBox = EmojiImageCache::boxSize(m_reaction.emoji, emojiPixelSize);
    layout.emoji = QRectF(QPointF((width - emojiBox.width()) / 2, place(emojiBox.height())), emojiBox);

    layout.message.emplace(messageBlock(m_reaction.message, width));
    layout.messageAt = QPointF(paddingX, place(layout.message->size().height()));

    if (const auto amount = ReactionPreview::amount(m_details)) {
        layout.amount.emplace(*amount, TextBlock::Style{ZingFonts::rounded(22, QFont::Black)}, contentWidth);
        layout.amountAt = QPointF(paddingX, place(layout.amount->size().height()));
    }
    if (!m_subtitle.isEmpty()) {
        layout.subtitle.emplace(
            m_subtitle, TextBlock::Style{ZingFonts::rounded(10, QFont::DemiBold), Qt::AlignHCenter, 2},
            contentWidth);
        layout.subtitleAt = QPointF(paddingX, place(layout.subtitle->size().height()));
    }

    layout.chips = ReactionPreview::shownChips(ReactionPreview::chips(m_details));
    if (!layout.chips.isEmpty()) {
        const QFontMetricsF metrics(chipFont());
        // Long product names share the row instead of running off the card.
        const double widest =
            (contentWidth - chipSpacing * double(layout.chips.size() - 1)) / double(layout.chips.size());
        double rowWidth = 0;
        QList<QSizeF> sizes;
        for (QString& chip : layout.chips) {
            chip = metrics.elidedText(chip, Qt::ElideRight, widest - 16);
            const QSizeF size(std::ceil(metrics.horizontalAdvance(chip)) + 16,
                              std::ceil(metrics.height()) + 8);
            sizes.append(size);
            rowWidth += size.width();
        }
        rowWidth += chipSpacing * double(sizes.size() - 1);
        const double rowTop = place(sizes.first().height());
        double x = (width - rowWidth) / 2;
        for (const QSizeF& size : sizes) {
            layout.chipFrames.append(QRectF(QPointF(x, rowTop), size));
            x += size.width() + chipSpacing;
        }
    }

    const QFontMetricsF sound(soundFont());
    const QString title = SoundEffects::title(m_reaction.sound);
    const double soundWidth = soundSymbolSize + 4 + sound.horizontalAdvance(title);
    const double soundHeight = std::max<double>(soundSymbolSize, sound.height());
    layout.soundRow =
        QRectF(QPointF((width - soundWidth) / 2, place(soundHeight)), QSizeF(soundWidth, soundHeight));

    y -= spacing;
    layout.card = QRectF(0, top, width, y + paddingBottom - top);
    layout.height = layout.card.bottom();
    return layout;
}

int ReactionPreviewCard::heightForWidth(int width) const {
    return int(std::ceil(layOut(width).height));
}

QSize ReactionPreviewCard::sizeHint() const {
    return QSize(300, heightForWidth(300));
}

QSize ReactionPreviewCard::minimumSizeHint() const {
    return QSize(200, heightForWidth(200));
}

const QImage& ReactionPreviewCard::glowingEmoji(qreal ratio) {
    const QColor accent = ReactionAccent::accent(m_context);
    const QString key = m_reaction.emoji + QLatin1Char('|') + accent.name(QColor::HexArgb) +
                        QLatin1Char('|') + QString::number(ratio);
    if (key == m_glowKey)
        return m_glowCache;
    const QImage& emoji = EmojiImageCache::image(m_reaction.emoji, emojiPixelSize, ratio);
    const double margin = glowMargin();
    const QSizeF logical = emoji.deviceIndependentSize() + QSizeF(2 * margin, 2 * margin);
    QImage shape(int(std::ceil(logical.width() * ratio)), int(std::ceil(logical.height() * ratio)),
                 QImage::Format_ARGB32_Premultiplied);
    shape.setDevicePixelRatio(ratio);
    shape.fill(Qt::transparent);
    {
        QPainter painter(&shape);
        painter.drawImage(QPointF(margin, margin), emoji);
    }
    QImage result = ShadowRenderer::shadow(shape, ShadowRenderer::sigmaForRadius(glowRadius) * ratio,
                                           ZingTheme::withOpacity(accent, 0.7));
    result.setDevicePixelRatio(ratio);
    {
        QPainter painter(&result);
        painter.drawImage(QPointF(0, 0), shape);
    }
    m_glowCache = result;
    m_glowKey = key;
    return m_glowCache;
}

void ReactionPreviewCard::paintEvent(QPaintEvent*) {
    const Layout layout = layOut(width());
    const QColor accent = ReactionAccent::accent(m_context);
    const ZingGradient gradient = ReactionAccent::accentGradient(m_context);
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);

    // The card.
    const QRectF card = layout.card.adjusted(1, 1, -1, -1);
    painter.setPen(QPen(QBrush(gradient.in(card)), 2));
    painter.setBrush(ZingTheme::rgb(0.11, 0.10, 0.16));
    painter.drawRoundedRect(card, cornerRadius, cornerRadius);

    const double margin = glowMargin();
    painter.drawImage(layout.emoji.topLeft() - QPointF(margin, margin), glowingEmoji(devicePixelRatioF()));

    painter.setPen(ZingTheme::ink());
    layout.message->draw(painter, layout.messageAt);
    if (layout.amount) {
        const QRectF ink = layout.amount->linesRect().translated(layout.amountAt);
        painter.setPen(QPen(QBrush(gradient.in(ink)), 0));
        layout.amount->draw(painter, layout.amountAt);
    }
    if (layout.subtitle) {
        painter.setPen(ZingTheme::inkMuted());
        layout.subtitle->draw(painter, layout.subtitleAt);
    }
    painter.setFont(chipFont());
    for (qsizetype i = 0; i < layout.chipFrames.size(); ++i) {
        const QRectF frame = layout.chipFrames.at(i);
        painter.setPen(Qt::NoPen);
        painter.setBrush(ZingTheme::rgb(1, 1, 1, 0.12));
        painter.drawRoundedRect(frame, frame.height() / 2, frame.height() / 2);
        painter.setPen(ZingTheme::rgb(1, 1, 1, 0.9));
        painter.drawText(frame, Qt::AlignCenter, layout.chips.at(i));
    }
    const QColor soundColour = ZingTheme::withOpacity(ZingTheme::lime(), 0.85);
    const QRectF symbol(layout.soundRow.left(), layout.soundRow.center().y() - soundSymbolSize / 2.0,
                        soundSymbolSize, soundSymbolSize);
    ZingSymbols::paint(painter, symbol, QStringLiteral("speaker.wave.2.fill"), soundColour);
    painter.setFont(soundFont());
    painter.setPen(soundColour);
    painter.drawText(layout.soundRow.adjusted(soundSymbolSize + 4, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter,
                     SoundEffects::title(m_reaction.sound));

    // The stamp, tilted about its centre and dropped over the card's top edge.
    painter.save();
    painter.translate(layout.stamp.center() + QPointF(0, stampDrop));
    painter.rotate(ReactionPreview::stampAngle(m_context));
    const QRectF stamp(-layout.stamp.width() / 2, -layout.stamp.height() / 2, layout.stamp.width(),
                       layout.stamp.height());
    painter.setPen(Qt::NoPen);
    painter.setBrush(accent);
    painter.drawRoundedRect(stamp, stamp.height() / 2, stamp.height() / 2);
    const QImage& stampEmoji = EmojiImageCache::image(ReactionContexts::stampEmoji(m_context),
                                                      stampEmojiPixelSize, devicePixelRatioF());
    const QSizeF emojiSize = stampEmoji.deviceIndependentSize();
    painter.drawImage(QPointF(stamp.left() + 10, -emojiSize.height() / 2), stampEmoji);
    const QFontMetricsF stampMetrics(stampFont());
    painter.setFont(stampFont());
    painter.setPen(Qt::black);
    painter.drawText(QPointF(stamp.left() + 10 + emojiSize.width() + 4,
                             (stampMetrics.ascent() - stampMetrics.descent()) / 2),
                     ReactionContexts::stampText(m_context));
    painter.restore();
}
