#include "app/components/zing_primary_button.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_paint.h"
#include "reactions/zing_theme.h"

#include <QPainter>

ZingPrimaryButton::ZingPrimaryButton(const QString& text, QWidget* parent) : ZingButton(text, parent) {
    setFont(ZingFonts::rounded(13, QFont::Bold));
    setExpands(false);
}

void ZingPrimaryButton::setExpands(bool expands) {
    m_expands = expands;
    setSizePolicy(expands ? QSizePolicy::Expanding : QSizePolicy::Fixed, QSizePolicy::Fixed);
    updateGeometry();
}

ZingPrimaryButton::Appearance ZingPrimaryButton::appearance(bool enabled, bool pressed) {
    if (!enabled)
        return {0.55, 0.35, 1.0};
    return pressed ? Appearance{1.0, 0.75, 0.98} : Appearance{1.0, 1.0, 1.0};
}

qreal ZingPrimaryButton::pressedScale() const {
    return appearance(true, true).scale;
}

void ZingPrimaryButton::paintBackground(QPainter& painter, const QRectF& rect) {
    const Appearance rest = appearance(isEnabled(), false);
    const Appearance pressed = appearance(isEnabled(), true);
    painter.save();
    painter.setOpacity(ZingPaint::mix(rest.backgroundOpacity, pressed.backgroundOpacity, pressProgress()));
    painter.setPen(Qt::NoPen);
    painter.setBrush(ZingTheme::heroGradient().in(rect));
    painter.drawRoundedRect(rect, cornerRadius(), cornerRadius());
    painter.restore();
}

QColor ZingPrimaryButton::labelColor() const {
    return ZingTheme::withOpacity(ZingTheme::ink(), appearance(isEnabled(), false).labelOpacity);
}
