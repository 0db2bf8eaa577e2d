#pragma once

#include <QSlider>

// A horizontal slider: a 4-high white 0.15 groove, filled in lime up to the handle, and a white 16 round knob
// with a lime ring while focused. Keyboard (arrows, Page Up/Down, Home/End), wheel and accessibility are
// QSlider's.
class ZingSlider final : public QSlider {
    Q_OBJECT
public:
    explicit ZingSlider(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QRect handleRect() const;
};
