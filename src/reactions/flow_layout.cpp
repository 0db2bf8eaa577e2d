#include "reactions/flow_layout.h"

#include <algorithm>

FlowLayout::Arrangement FlowLayout::arrange(std::optional<double> proposedWidth,
                                            const QList<QSizeF>& itemSizes) const {
    const double maxWidth = proposedWidth.value_or(openProposalWidth);
    Arrangement result;
    if (itemSizes.isEmpty()) {
        result.size = QSizeF(maxWidth, 0);
        return result;
    }

    // Rows as index ranges [first, last].
    struct Row {
        qsizetype first;
        qsizetype last;
        double width;
    };
    QList<Row> rows;
    for (qsizetype i = 0; i < itemSizes.size(); ++i) {
        const double width = itemSizes[i].width();
        if (!rows.isEmpty() && rows.last().width + m_spacing + width <= maxWidth) {
            rows.last().last = i;
            rows.last().width += m_spacing + width;
        } else {
            rows.append({i, i, width});
        }
    }

    result.frames.resize(itemSizes.size());
    double y = 0;
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const Row& row = rows[r];
        double height = 0;
        for (qsizetype i = row.first; i <= row.last; ++i)
            height = std::max(height, itemSizes[i].height());
        double x = std::max((maxWidth - row.width) / 2, 0.0);
        for (qsizetype i = row.first; i <= row.last; ++i) {
            result.frames[i] = QRectF(QPointF(x, y), itemSizes[i]);
            x += itemSizes[i].width() + m_spacing;
        }
        y += height;
        if (r + 1 < rows.size())
            y += m_spacing;
    }
    result.size = QSizeF(maxWidth, y);
    return result;
}

QSizeF FlowLayout::sizeThatFits(std::optional<double> proposedWidth, const QList<QSizeF>& itemSizes) const {
    return arrange(proposedWidth, itemSizes).size;
}

QList<QRectF> FlowLayout::place(const QRectF& bounds, const QList<QSizeF>& itemSizes) const {
    QList<QRectF> frames = arrange(bounds.width(), itemSizes).frames;
    for (QRectF& frame : frames)
        frame.translate(bounds.topLeft());
    return frames;
}
