#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// A plain-text label in one of the theme's fonts and colours, for the screens' own lines of text.
namespace ScreenLabel {
QLabel* make(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);
// The same, wrapping onto as many lines as it needs.
QLabel* wrapping(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);
} // namespace ScreenLabel
