#include "app/screens/reaction/reaction_preset_button.h"

#include "app/components/zing_fonts.h"
#include "reactions/emoji_image_cache.h"
#include "reactions/zing_theme.h"

#include <QFontMetricsF>
#include <QPainter>
#include <cmath>

namespace {

constexpr int emojiPixelSize = 13;
constexpr double spacing = 4;
constexpr double paddingX = 10;
constexpr double paddingY = 7;
constexpr double radius = 10;

QFont labelFont() {
    return ZingFonts::rounded(10, QFont::Bold);
}

} // namespace

ReactionPresetButton::ReactionPresetButton(const ReactionPreset& preset, QWidget* parent)
    : QAbstractButton(parent), m_preset(preset) {
    setText(preset.label);
    setToolTip(preset.config.message);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ReactionPresetButton::sizeHint() const {
    const QSizeF emoji = EmojiImageCache::boxSize(m_preset.config.emoji, emojiPixelSize);
    const QFontMetricsF label(labelFont());
    const double width =
        paddingX + emoji.width() + spacing + label.horizontalAdvance(m_preset.label) + paddingX;
    const double height = paddingY + std::max(emoji.height(), label.height()) + paddingY;
    return QSize(int(std::ceil(width)), int(std::ceil(height)));
}

void ReactionPresetButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing |
                           QPainter::SmoothPixmapTransform);
    const QRectF frame = QRectF(rect());
    painter.setPen(Qt::NoPen);
    painter.setBrush(ZingTheme::rgb(1, 1, 1, isDown() ? 0.16 : 0.1));
    painter.drawRoundedRect(frame, radius, radius);
    if (hasFocus()) {
        painter.setPen(QPen(ZingTheme::lime(), 1.5));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(frame.adjusted(0.75, 0.75, -0.75, -0.75), radius, radius);
    }

    const QImage& emoji = EmojiImageCache::image(m_preset.config.emoji, emojiPixelSize, devicePixelRatioF());
    const QSizeF emojiSize = emoji.deviceIndependentSize();
    const QFontMetricsF label(labelFont());
    const double contentWidth = emojiSize.width() + spacing + label.horizontalAdvance(m_preset.label);
    const double left = frame.center().x() - contentWidth / 2;
    painter.drawImage(QPointF(left, frame.center().y() - emojiSize.height() / 2), emoji);
    painter.setFont(labelFont());
    painter.setPen(ZingTheme::ink());
    const double baseline = frame.center().y() + (label.ascent() - label.descent()) / 2;
    painter.drawText(QPointF(left + emojiSize.width() + spacing, baseline), m_preset.label);
}
