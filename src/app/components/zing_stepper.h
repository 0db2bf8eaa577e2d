#pragma once

#include <QWidget>
#include <functional>

// A number picked with − and + buttons around its label, on a rounded cardElevated field. Values stay in
// [minimum, maximum]; a step that would pass a bound stops at it, and the button towards a reached bound is
// dimmed. Keyboard: Up/Right/+ step up, Down/Left/− step down, Page Up/Down ten steps, Home/End the bounds.
class ZingStepper final : public QWidget {
    Q_OBJECT
public:
    using LabelFormat = std::function<QString(double)>;

    ZingStepper(double minimum, double maximum, double step, QWidget* parent = nullptr);

    double value() const { return m_value; }
    double minimum() const { return m_minimum; }
    double maximum() const { return m_maximum; }
    double step() const { return m_step; }
    // Clamped into the range; emits valueChanged when the stored value changes.
    void setValue(double value);
    void setRange(double minimum, double maximum);
    // How the value reads (default: the number without trailing zeros), e.g. [](double v) { return
    // QStringLiteral("Every %1 s").arg(v); }. Also the accessible name's value part.
    void setLabelFormat(LabelFormat format);
    QString label() const;
    void stepBy(int steps);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

Q_SIGNALS:
    void valueChanged(double value);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    QRectF minusRect() const;
    QRectF plusRect() const;

    double m_minimum;
    double m_maximum;
    double m_step;
    double m_value;
    LabelFormat m_format;
    int m_pressed = 0; // -1 minus, +1 plus
};
