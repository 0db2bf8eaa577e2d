#include "app/screens/screen_label.h"

#include "app/components/zing_fonts.h"

#include <QLabel>

namespace ScreenLabel {

QLabel* make(const QString& text, const QFont& font, const QColor& color, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(ZingFonts::withEmojiFallback(font));
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
    return label;
}

QLabel* wrapping(const QString& text, const QFont& font, const QColor& color, QWidget* parent, Width width) {
    QLabel* label = make(text, font, color, parent);
    label->setWordWrap(true);
    if (width == Width::fill)
        label->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    return label;
}

} // namespace ScreenLabel
