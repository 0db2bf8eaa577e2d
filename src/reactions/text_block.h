#pragma once

#include <QColor>
#include <QFont>
#include <QList>
#include <QPainter>
#include <QSizeF>
#include <QString>
#include <QTextLayout>
#include <memory>

// A paragraph laid out once for a given width: wrapped, aligned, cut to a number of lines with an
// ellipsis, and optionally shrunk (down to a minimum factor) before it is cut.
class TextBlock {
public:
    struct Style {
        QFont font;
        Qt::Alignment alignment = Qt::AlignHCenter;
        int maxLines = 0; // 0: no limit
        double minimumScale = 1.0;
    };

    TextBlock(const QString& text, const Style& style, double width);

    // Size as drawn (after shrinking); the width is that of the widest line.
    QSizeF size() const { return m_size; }
    double scale() const { return m_scale; }
    int lineCount() const { return int(m_lines.size()); }
    bool isElided() const { return m_elided; }
    // Draws inside a box of `width` (the width given at construction) starting at `topLeft`, with the pen
    // or brush already set on the painter.
    void draw(QPainter& painter, QPointF topLeft) const;
    // Box of the inked lines relative to the block's top-left (for gradients and shadows).
    QRectF linesRect() const;

private:
    struct Line {
        QString text;
        double x = 0; // in unscaled layout units
        double width = 0;
    };
    void layOut(const QString& text, double layoutWidth);

    Style m_style;
    double m_width;
    double m_scale = 1.0;
    double m_lineHeight = 0;
    double m_ascent = 0;
    QList<Line> m_lines;
    bool m_elided = false;
    QSizeF m_size;
};
