#include "app/components/zing_form_label.h"

#include "app/components/zing_fonts.h"
#include "reactions/zing_theme.h"

ZingFormLabel::ZingFormLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setFont(ZingFonts::rounded(11, QFont::DemiBold));
    setTextFormat(Qt::PlainText);
    QPalette colours = palette();
    colours.setColor(QPalette::WindowText, ZingTheme::inkMuted());
    setPalette(colours);
}
