#pragma once

#include "app/components/zing_button.h"

// A tab of a tab row: label (and symbol) in lime when selected, else inkFaint; white at 0.12 behind it when
// selected, 0.08 while pressed, nothing otherwise; radius 10, as wide as offered, 8 padding above and below;
// shrinks to 0.97 while pressed. Selection is the caller's: clicking only emits clicked(). The font is the
// caller's too (default rounded 10 bold); setSymbol() puts the symbol above the label.
class ZingTabButton final : public ZingButton {
    Q_OBJECT
    Q_PROPERTY(bool selected READ isSelected WRITE setSelected)
public:
    explicit ZingTabButton(const QString& text = {}, QWidget* parent = nullptr);

    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);

protected:
    QMargins padding() const override { return QMargins(8, 8, 8, 8); }
    bool symbolAbove() const override { return true; }
    qreal cornerRadius() const override { return 10; }
    qreal pressedScale() const override { return 0.97; }
    void paintBackground(QPainter& painter, const QRectF& rect) override;
    QColor labelColor() const override;

private:
    bool m_selected = false;
};
