#pragma once

#include <QLineEdit>

// A single-line text field: rounded 12, ink, padded 10 across and 8 down, on cardElevated with a white 0.12
// outline, radius 10. The outline turns lime while the field has keyboard focus. Bind with text()/setText()
// and textChanged()/textEdited().
class ZingTextField : public QLineEdit {
    Q_OBJECT
public:
    explicit ZingTextField(const QString& placeholder = {}, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
