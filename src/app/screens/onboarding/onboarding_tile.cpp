#include "app/screens/onboarding/onboarding_tile.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_paint.h"
#include "reactions/zing_theme.h"

#include <QButtonGroup>
#include <QFontMetrics>
#include <QPainter>

namespace {
constexpr int kPadding = 10;
constexpr int kEmojiSize = 24;
constexpr int kGap = 4;

QFont titleFont() {
    return ZingFonts::rounded(12, QFont::Bold);
}
QFont detailFont() {
    return ZingFonts::rounded(10);
}
} // namespace

OnboardingTile::OnboardingTile(const QString& emoji, const QString& title, const QString& detail,
                               const QColor& accent, QWidget* parent)
    : ZingWrappingButton(140, 90, parent), m_emoji(emoji), m_detail(detail),
      m_accent(accent.isValid() ? accent : ZingTheme::hotPink()) {
    setText(title);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setAccessibleName(title);
    setAccessibleDescription(detail);
    QSizePolicy policy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void OnboardingTile::setDisplayOnly(bool displayOnly) {
    m_displayOnly = displayOnly;
    setCheckable(!displayOnly);
    setFocusPolicy(displayOnly ? Qt::NoFocus : Qt::StrongFocus);
    setCursor(displayOnly ? Qt::ArrowCursor : Qt::PointingHandCursor);
    setAttribute(Qt::WA_TransparentForMouseEvents, displayOnly);
}

void OnboardingTile::focusInEvent(QFocusEvent* event) {
    ZingWrappingButton::focusInEvent(event);
    // A button group takes every button but the focused one out of the Tab chain, as for radio buttons. The
    // tiles look like buttons side by side, so each stays a Tab stop.
    if (!group())
        return;
    for (QAbstractButton* button : group()->buttons()) {
        if (auto* tile = qobject_cast<OnboardingTile*>(button); tile && !tile->m_displayOnly)
            tile->setFocusPolicy(Qt::StrongFocus);
    }
}

QRect OnboardingTile::detailRect(int width) const {
    const int top = kPadding + kEmojiSize + kGap + QFontMetrics(titleFont()).height() + 2;
    const int textWidth = std::max(40, width - 2 * kPadding);
    return QRect(kPadding, top, textWidth,
                 m_detail.isEmpty() ? 0 : wrappedTextHeight(detailFont(), m_detail, textWidth));
}

int OnboardingTile::heightForWidth(int width) const {
    const QRect detail = detailRect(width);
    return detail.bottom() + 1 + kPadding;
}

void OnboardingTile::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF frame = QRectF(rect()).adjusted(1, 1, -1, -1);
    // An information tile always wears its accent, lightly; a choice wears it fully once chosen.
    const bool selected = isChecked() && !m_displayOnly;
    if (selected)
        painter.setPen(QPen(m_accent, 2));
    else
        painter.setPen(QPen(m_displayOnly ? ZingTheme::withOpacity(m_accent, 0.6)
                                          : ZingTheme::withOpacity(Qt::white, 0.1),
                            1));
    painter.setBrush(selected        ? ZingTheme::withOpacity(m_accent, 0.22)
                     : m_displayOnly ? ZingTheme::withOpacity(m_accent, 0.12)
                                     : ZingTheme::card());
    painter.drawRoundedRect(frame, 14, 14);

    painter.setFont(ZingFonts::emoji(kEmojiSize - 4));
    painter.setPen(ZingTheme::ink());
    painter.drawText(QRect(0, kPadding, width(), kEmojiSize), Qt::AlignCenter, m_emoji);
    painter.setFont(titleFont());
    painter.drawText(QRect(kPadding, kPadding + kEmojiSize + kGap, width() - 2 * kPadding,
                           QFontMetrics(titleFont()).height()),
                     Qt::AlignCenter, text());
    painter.setFont(detailFont());
    painter.setPen(ZingTheme::inkMuted());
    painter.drawText(detailRect(width()), Qt::TextWordWrap | Qt::AlignHCenter | Qt::AlignTop, m_detail);
    if (hasFocus())
        ZingPaint::focusRing(painter, frame.adjusted(2, 2, -2, -2), 12);
}
