#include "reactions/text_block.h"

#include <QFontMetricsF>
#include <QTextOption>
#include <algorithm>
#include <cmath>

TextBlock::TextBlock(const QString& text, const Style& style, double width)
    : m_style(style), m_width(std::max(width, 1.0)) {
    const QFontMetricsF metrics(m_style.font);
    m_lineHeight = metrics.height();
    m_ascent = metrics.ascent();

    // Shrink in small steps until the text fits its line budget, then cut what still does not fit.
    const double minimum = std::clamp(m_style.minimumScale, 0.1, 1.0);
    for (double scale = 1.0;; scale = std::max(scale - 0.05, minimum)) {
        m_scale = scale;
        layOut(text, m_width / scale);
        if (!m_elided || scale <= minimum)
            break;
    }

    double widest = 0;
    for (const Line& line : m_lines)
        widest = std::max(widest, line.width);
    m_size = QSizeF(widest * m_scale, m_lines.size() * m_lineHeight * m_scale);
}

void TextBlock::layOut(const QString& text, double layoutWidth) {
    m_lines.clear();
    m_elided = false;
    const QFontMetricsF metrics(m_style.font);

    QTextLayout layout(text, m_style.font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    QList<std::pair<int, int>> ranges;
    for (;;) {
        QTextLine line = layout.createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(layoutWidth);
        ranges.append({line.textStart(), line.textLength()});
    }
    layout.endLayout();

    const int limit = m_style.maxLines > 0 ? m_style.maxLines : int(ranges.size());
    for (int i = 0; i < ranges.size() && i < limit; ++i) {
        QString lineText = text.mid(ranges[i].first, ranges[i].second);
        if (i == limit - 1 && i + 1 < ranges.size()) {
            // The last allowed line takes the rest of the text and ends with an ellipsis.
            lineText =
                metrics.elidedText(text.mid(ranges[i].first).simplified(), Qt::ElideRight, layoutWidth);
            m_elided = true;
        }
        while (lineText.endsWith(QLatin1Char(' ')) || lineText.endsWith(QLatin1Char('\n')))
            lineText.chop(1);
        Line line;
        line.text = lineText;
        line.width = std::min(metrics.horizontalAdvance(lineText), layoutWidth);
        if (m_style.alignment & Qt::AlignHCenter)
            line.x = (layoutWidth - line.width) / 2;
        else if (m_style.alignment & Qt::AlignRight)
            line.x = layoutWidth - line.width;
        m_lines.append(line);
    }
}

QRectF TextBlock::linesRect() const {
    double left = m_width, right = 0;
    for (const Line& line : m_lines) {
        left = std::min(left, line.x * m_scale);
        right = std::max(right, (line.x + line.width) * m_scale);
    }
    if (m_lines.isEmpty())
        return {};
    return QRectF(left, 0, right - left, m_size.height());
}

void TextBlock::draw(QPainter& painter, QPointF topLeft) const {
    painter.save();
    painter.translate(topLeft);
    painter.scale(m_scale, m_scale);
    painter.setFont(m_style.font);
    double y = m_ascent;
    for (const Line& line : m_lines) {
        painter.drawText(QPointF(line.x, y), line.text);
        y += m_lineHeight;
    }
    painter.restore();
}
