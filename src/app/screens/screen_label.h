#pragma once

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

// A plain-text label in one of the theme's fonts and colours, for the screens' own lines of text. Emoji in
// the text (names and messages users typed) draw in colour.
namespace ScreenLabel {
QLabel* make(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr);
// How a wrapping label shares its row: taking all the spare width (a paragraph) or as much as its text asks
// (a name beside a switch).
enum class Width { fill, text };
// The same, wrapping onto as many lines as it needs.
QLabel* wrapping(const QString& text, const QFont& font, const QColor& color, QWidget* parent = nullptr,
                 Width width = Width::fill);
} // namespace ScreenLabel
