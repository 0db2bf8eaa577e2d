#pragma once

#include <QPushButton>

class ZingTransition;

// Base of the three button looks: a QPushButton (so focus, Tab, Space/Enter, accessibility and QTest work as
// usual) that paints itself, eases its pressed state over 0.12 s and can show one of our symbols beside or
// above its label. Not used directly; see ZingPrimaryButton, ZingSecondaryButton and ZingTabButton.
class ZingButton : public QPushButton {
    Q_OBJECT
public:
    // A symbol name of ZingSymbols shown with the label, tinted like it; empty for none.
    void setSymbol(const QString& name, int size = 12);
    QString symbol() const { return m_symbol; }

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    ZingButton(const QString& text, QWidget* parent);

    // How far the pressed state has eased in, 0 (at rest) to 1 (pressed); only while enabled.
    double pressProgress() const;
    void paintEvent(QPaintEvent* event) override;

    // Padding around the label and the symbol above (true) or before it (false).
    virtual QMargins padding() const = 0;
    virtual bool symbolAbove() const { return false; }
    virtual qreal cornerRadius() const = 0;
    // Paints the look into `rect` (already scaled about the centre) with the label in `labelColor`.
    virtual void paintBackground(QPainter& painter, const QRectF& rect) = 0;
    virtual QColor labelColor() const = 0;
    // Scale of the whole button while fully pressed.
    virtual qreal pressedScale() const = 0;
    void paintLabel(QPainter& painter, const QRectF& rect, const QColor& color) const;

private:
    QSize contentSize() const;

    QString m_symbol;
    int m_symbolSize = 12;
    ZingTransition* m_press;
    bool m_hasPainted = false;
};
