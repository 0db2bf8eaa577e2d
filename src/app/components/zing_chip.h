#pragma once

#include <QAbstractButton>

// A small choice on a capsule (rounded 11 semibold, 10 across and 5 down): inkMuted on white at 0.08 when
// unchecked; ink on hot pink at 0.35 with a hot-pink outline when checked. Checkable by default (Space
// toggles it); put chips in a QButtonGroup for one-of-many choices. Emoji in the text come out in colour.
class ZingChip final : public QAbstractButton {
    Q_OBJECT
public:
    explicit ZingChip(const QString& text = {}, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
};
