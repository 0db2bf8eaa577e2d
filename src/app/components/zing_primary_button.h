#pragma once

#include "app/components/zing_button.h"

// The main call to action: white rounded-13 bold label on the hero gradient, radius 12. Disabled it shows its
// label at 0.55 and its gradient at 0.35 and does not react to presses; pressed it dims the gradient to 0.75
// and shrinks to 0.98 about its centre, easing over 0.12 s.
class ZingPrimaryButton final : public ZingButton {
    Q_OBJECT
public:
    explicit ZingPrimaryButton(const QString& text = {}, QWidget* parent = nullptr);

    // As wide as offered (true) or as wide as its label (false, the default).
    void setExpands(bool expands);
    bool expands() const { return m_expands; }

    // What is drawn for a state at rest (the pressed values are reached after the 0.12 s ease).
    struct Appearance {
        double labelOpacity;
        double backgroundOpacity;
        double scale;
    };
    static Appearance appearance(bool enabled, bool pressed);

protected:
    QMargins padding() const override { return QMargins(14, 10, 14, 10); }
    qreal cornerRadius() const override { return 12; }
    qreal pressedScale() const override;
    void paintBackground(QPainter& painter, const QRectF& rect) override;
    QColor labelColor() const override;

private:
    bool m_expands = false;
};
