#include "app/components/zing_text_field.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_paint.h"
#include "reactions/zing_theme.h"

#include <QPainter>

ZingTextField::ZingTextField(const QString& placeholder, QWidget* parent) : QLineEdit(parent) {
    setPlaceholderText(placeholder);
    setFrame(false);
    setFont(ZingFonts::rounded(12, QFont::Normal));
    setTextMargins(8, 8, 8, 8); // plus the line edit's own 2-pixel margin: 10 across
    QPalette colours = palette();
    colours.setColor(QPalette::Base, Qt::transparent);
    colours.setColor(QPalette::Text, ZingTheme::ink());
    colours.setColor(QPalette::PlaceholderText, ZingTheme::inkFaint());
    colours.setColor(QPalette::Highlight, ZingTheme::withOpacity(ZingTheme::hotPink(), 0.6));
    colours.setColor(QPalette::HighlightedText, ZingTheme::ink());
    setPalette(colours);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ZingTextField::paintEvent(QPaintEvent* event) {
    {
        QPainter painter(this);
        painter.setRenderHint(QPainter::Antialiasing);
        const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
        painter.setPen(QPen(ZingTheme::withOpacity(Qt::white, 0.12), 1));
        painter.setBrush(isEnabled() ? ZingTheme::cardElevated() : ZingTheme::card());
        painter.drawRoundedRect(box, 10, 10);
        if (hasFocus())
            ZingPaint::focusRing(painter, QRectF(rect()), 10);
    }
    QLineEdit::paintEvent(event);
}
