#pragma once

#include "app/screens/reaction/emoji_catalog.h"

#include <QList>
#include <QRectF>
#include <QString>

// The emoji picker without a window: its cells, which of them show as selected, where each sits for a
// given width, and where the arrow keys lead.
class EmojiGridModel {
public:
    static constexpr int columns = 8;
    static constexpr double cellSpacing = 6;
    static constexpr double cellHeight = 36;
    static constexpr double titleSpacing = 6;
    static constexpr double sectionSpacing = 12;

    enum class Direction { left, right, up, down };

    struct Geometry {
        QList<QRectF> titles; // one per section
        QList<QRectF> cells;  // one per cell, in cell order
        double height = 0;
    };

    explicit EmojiGridModel(const QStringList& suggested);

    const QList<EmojiSection>& sections() const { return m_sections; }
    int cellCount() const { return int(m_cells.size()); }
    QString emoji(int cell) const { return m_cells.at(cell).emoji; }
    int section(int cell) const { return m_cells.at(cell).section; }
    // Every cell showing `selection`: none when it is in no section, two when it is also suggested.
    QList<int> markedCells(const QString& selection) const;

    Geometry geometry(double width, double titleHeight) const;
    // The cell the arrow key moves to from `cell`; up and down keep the column where the next row is long
    // enough, else take that row's last cell. Stays put at the edges.
    int neighbour(int cell, Direction direction) const;

private:
    struct Cell {
        QString emoji;
        int section = 0;
        int row = 0; // counted over all sections
        int column = 0;
    };

    QList<EmojiSection> m_sections;
    QList<Cell> m_cells;
    QList<QList<int>> m_rows; // cell indices of each row, top to bottom
};
