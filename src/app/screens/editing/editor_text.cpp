#include "app/screens/editing/editor_text.h"

#include "app/components/zing_fonts.h"

#include <QLabel>

namespace EditorText {

QLabel* label(const QString& text, const QFont& font, const QColor& color, QWidget* parent, bool wrap) {
    auto* label = new QLabel(text, parent);
    label->setTextFormat(Qt::PlainText);
    label->setFont(ZingFonts::withEmojiFallback(font));
    label->setWordWrap(wrap);
    setColor(label, color);
    return label;
}

void setColor(QLabel* label, const QColor& color) {
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, color);
    label->setPalette(palette);
}

} // namespace EditorText
