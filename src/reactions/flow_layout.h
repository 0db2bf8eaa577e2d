#pragma once

#include <QList>
#include <QRectF>
#include <QSizeF>
#include <optional>

// Wrapping rows, each centred in the available width; used for the detail chips of the card.
class FlowLayout {
public:
    // Width used when the caller leaves the width open.
    static constexpr double openProposalWidth = 420;

    struct Arrangement {
        QSizeF size;
        QList<QRectF> frames; // one per item, relative to the layout's top-left corner

        bool operator==(const Arrangement&) const = default;
    };

    explicit FlowLayout(double spacing) : m_spacing(spacing) {}

    double spacing() const { return m_spacing; }

    // Fills rows greedily with the items' ideal sizes (in order) and centres each row.
    Arrangement arrange(std::optional<double> proposedWidth, const QList<QSizeF>& itemSizes) const;
    QSizeF sizeThatFits(std::optional<double> proposedWidth, const QList<QSizeF>& itemSizes) const;
    // Final frames inside `bounds`: each item at the bounds' origin plus its frame's origin, at its size.
    QList<QRectF> place(const QRectF& bounds, const QList<QSizeF>& itemSizes) const;

private:
    double m_spacing;
};
