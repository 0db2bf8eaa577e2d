#include "app/components/zing_tab_button.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_paint.h"
#include "reactions/zing_theme.h"

#include <QAccessible>
#include <QPainter>

ZingTabButton::ZingTabButton(const QString& text, QWidget* parent) : ZingButton(text, parent) {
    setFont(ZingFonts::rounded(10, QFont::Bold));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ZingTabButton::setSelected(bool selected) {
    if (m_selected == selected)
        return;
    m_selected = selected;
    // Screen readers learn the selection through the accessible description.
    setAccessibleDescription(selected ? tr("selected") : QString());
    update();
}

void ZingTabButton::paintBackground(QPainter& painter, const QRectF& rect) {
    const double opacity = m_selected ? 0.12 : ZingPaint::mix(0.0, 0.08, pressProgress());
    if (opacity <= 0)
        return;
    painter.setPen(Qt::NoPen);
    painter.setBrush(ZingTheme::withOpacity(Qt::white, opacity));
    painter.drawRoundedRect(rect, cornerRadius(), cornerRadius());
}

QColor ZingTabButton::labelColor() const {
    return m_selected ? ZingTheme::lime() : ZingTheme::inkFaint();
}
