#pragma once

#include <QObject>

class QVariantAnimation;
class QWidget;

// A value from 0 to 1 that eases out towards its target and repaints its widget at each step. While the
// widget is hidden it jumps instead of animating, and hiding the widget ends a running animation at its
// target, so a hidden window never wakes the process.
class ZingTransition final : public QObject {
public:
    ZingTransition(QWidget* widget, int durationMs);

    double value() const { return m_value; }
    double target() const { return m_target; }
    bool isRunning() const;
    // Eases towards `target` when `animate` is true and the widget is visible; otherwise jumps.
    void setTarget(double target, bool animate = true);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void jumpToTarget();

    QWidget* m_widget;
    QVariantAnimation* m_animation;
    double m_value = 0;
    double m_target = 0;
};
