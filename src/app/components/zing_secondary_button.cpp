#include "app/components/zing_secondary_button.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_paint.h"
#include "reactions/zing_theme.h"

#include <QPainter>

ZingSecondaryButton::ZingSecondaryButton(const QString& text, QWidget* parent) : ZingButton(text, parent) {
    setFont(ZingFonts::rounded(12, QFont::DemiBold));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

void ZingSecondaryButton::setDestructive(bool destructive) {
    if (m_destructive == destructive)
        return;
    m_destructive = destructive;
    update();
}

void ZingSecondaryButton::paintBackground(QPainter& painter, const QRectF& rect) {
    const double opacity = ZingPaint::mix(0.14, 0.1, pressProgress()) * (isEnabled() ? 1.0 : 0.5);
    painter.setPen(Qt::NoPen);
    painter.setBrush(
        ZingTheme::withOpacity(m_destructive ? ZingTheme::refundRed() : QColor(Qt::white), opacity));
    painter.drawRoundedRect(rect, cornerRadius(), cornerRadius());
}

QColor ZingSecondaryButton::labelColor() const {
    if (!isEnabled())
        return ZingTheme::inkFaint();
    return m_destructive ? ZingTheme::refundRed() : ZingTheme::ink();
}
