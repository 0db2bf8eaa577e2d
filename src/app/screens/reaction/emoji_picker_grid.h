#pragma once

#include "app/screens/reaction/emoji_grid_model.h"

#include <QString>
#include <QStringList>
#include <QWidget>

// The emoji picker: titled sections of eight-column cells, painted by hand. One Tab stop; the arrow keys
// move between cells and Space picks the one with the focus ring. A click picks a cell at once.
class EmojiPickerGrid final : public QWidget {
    Q_OBJECT
public:
    explicit EmojiPickerGrid(QWidget* parent = nullptr);

    // Rebuilds the sections; "Suggested" comes first when the list is not empty.
    void setSuggested(const QStringList& suggested);
    const EmojiGridModel& model() const { return m_model; }

    QString selection() const { return m_selection; }
    // Shows `emoji` as selected without emitting selectionChanged.
    void setSelection(const QString& emoji);

    // The cell with the focus ring.
    int currentCell() const { return m_current; }
    QRect cellRect(int cell) const;

    bool hasHeightForWidth() const override { return true; }
    int heightForWidth(int width) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

Q_SIGNALS:
    // The user picked `emoji`.
    void selectionChanged(const QString& emoji);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    EmojiGridModel::Geometry geometryFor(int width) const;
    int cellAt(const QPoint& point) const;
    void pick(int cell);
    void setCurrent(int cell);
    double titleHeight() const;

    EmojiGridModel m_model;
    QString m_selection;
    int m_current = 0;
    int m_pressed = -1;
};
