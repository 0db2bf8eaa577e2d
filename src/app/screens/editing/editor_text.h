#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace EditorText {
// A plain-text label in `font` and `color`, wrapping when `wrap` is set.
QLabel* label(const QString& text, const QFont& font, const QColor& color, QWidget* parent,
              bool wrap = false);
void setColor(QLabel* label, const QColor& color);
} // namespace EditorText
