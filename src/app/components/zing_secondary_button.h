#pragma once

#include "app/components/zing_button.h"

// The quieter button: rounded-12 semibold label in ink on white at 0.14 (0.1 while pressed), radius 10,
// shrinking to 0.98 while pressed. Shown at half opacity when disabled. With only a symbol (setSymbol and no
// text) it makes a compact icon button; give it a tool tip and an accessible name then.
class ZingSecondaryButton final : public ZingButton {
    Q_OBJECT
public:
    explicit ZingSecondaryButton(const QString& text = {}, QWidget* parent = nullptr);

    // For actions that remove something: label and symbol in the refund red on a faint wash of it.
    void setDestructive(bool destructive);
    bool isDestructive() const { return m_destructive; }

protected:
    QMargins padding() const override { return QMargins(12, 8, 12, 8); }
    qreal cornerRadius() const override { return 10; }
    qreal pressedScale() const override { return 0.98; }
    void paintBackground(QPainter& painter, const QRectF& rect) override;
    QColor labelColor() const override;

private:
    bool m_destructive = false;
};
