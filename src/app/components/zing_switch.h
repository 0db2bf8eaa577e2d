#pragma once

#include <QAbstractButton>

class ZingTransition;

// An on/off switch: a checkable button (Space toggles it, toggled(bool) reports it) drawn as a 36 x 20 track,
// lime when on, with a white knob that slides over 0.12 s. A text, when set, is drawn before the switch in
// rounded 12 ink and is the accessible name.
class ZingSwitch final : public QAbstractButton {
    Q_OBJECT
public:
    explicit ZingSwitch(const QString& text = {}, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;
    // Also reached when the state is set with signals blocked, as editors do when they show a record.
    void checkStateSet() override;
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

private:
    QRectF trackRect() const;

    ZingTransition* m_knob;
};
