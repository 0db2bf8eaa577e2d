#pragma once

#include <QWidget>

class DeletionUndo;
class QLabel;
class ZingSecondaryButton;

// "Deleted <name> · Undo" under a list's header while a deletion can be taken back.
class UndoLine final : public QWidget {
    Q_OBJECT
public:
    explicit UndoLine(DeletionUndo& undo, QWidget* parent = nullptr);

    ZingSecondaryButton* undoButton() const { return m_button; }

private:
    void refresh();

    DeletionUndo& m_undo;
    QLabel* m_label;
    ZingSecondaryButton* m_button;
};
