#include "app/screens/reaction/emoji_grid_model.h"

#include <algorithm>

EmojiGridModel::EmojiGridModel(const QStringList& suggested) : m_sections(EmojiCatalog::sections(suggested)) {
    for (int s = 0; s < m_sections.size(); ++s) {
        const QStringList& emojis = m_sections.at(s).emojis;
        for (int i = 0; i < emojis.size(); ++i) {
            if (i % columns == 0)
                m_rows.append(QList<int>());
            m_rows.last().append(int(m_cells.size()));
            m_cells.append({emojis.at(i), s, int(m_rows.size()) - 1, i % columns});
        }
    }
}

QList<int> EmojiGridModel::markedCells(const QString& selection) const {
    QList<int> marked;
    for (int i = 0; i < m_cells.size(); ++i)
        if (m_cells.at(i).emoji == selection)
            marked.append(i);
    return marked;
}

EmojiGridModel::Geometry EmojiGridModel::geometry(double width, double titleHeight) const {
    Geometry result;
    const double cellWidth = std::max(0.0, (width - (columns - 1) * cellSpacing) / columns);
    double y = 0;
    int cell = 0;
    for (int s = 0; s < m_sections.size(); ++s) {
        if (s > 0)
            y += sectionSpacing;
        result.titles.append(QRectF(0, y, width, titleHeight));
        y += titleHeight + titleSpacing;
        const int count = int(m_sections.at(s).emojis.size());
        for (int i = 0; i < count; ++i, ++cell) {
            const int row = i / columns;
            const int column = i % columns;
            result.cells.append(QRectF(column * (cellWidth + cellSpacing),
                                       y + row * (cellHeight + cellSpacing), cellWidth, cellHeight));
        }
        const int rows = (count + columns - 1) / columns;
        y += rows * cellHeight + std::max(0, rows - 1) * cellSpacing;
    }
    result.height = y;
    return result;
}

int EmojiGridModel::neighbour(int cell, Direction direction) const {
    if (cell < 0 || cell >= m_cells.size())
        return m_cells.isEmpty() ? -1 : 0;
    const Cell& from = m_cells.at(cell);
    switch (direction) {
    case Direction::left:
        return from.column > 0 ? cell - 1 : cell;
    case Direction::right: {
        const QList<int>& row = m_rows.at(from.row);
        return from.column + 1 < row.size() ? cell + 1 : cell;
    }
    case Direction::up:
    case Direction::down: {
        const int target = from.row + (direction == Direction::up ? -1 : 1);
        if (target < 0 || target >= m_rows.size())
            return cell;
        const QList<int>& row = m_rows.at(target);
        return row.at(std::min<qsizetype>(from.column, row.size() - 1));
    }
    }
    return cell;
}
