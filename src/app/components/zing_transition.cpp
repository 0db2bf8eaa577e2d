#include "app/components/zing_transition.h"

#include <QEvent>
#include <QVariantAnimation>
#include <QWidget>

ZingTransition::ZingTransition(QWidget* widget, int durationMs)
    : QObject(widget), m_widget(widget), m_animation(new QVariantAnimation(this)) {
    m_animation->setDuration(durationMs);
    m_animation->setEasingCurve(QEasingCurve::OutCubic);
    connect(m_animation, &QVariantAnimation::valueChanged, this, [this](const QVariant& value) {
        m_value = value.toDouble();
        m_widget->update();
    });
    widget->installEventFilter(this);
}

bool ZingTransition::isRunning() const {
    return m_animation->state() == QAbstractAnimation::Running;
}

void ZingTransition::setTarget(double target, bool animate) {
    if (target == m_target && (isRunning() || m_value == target))
        return;
    m_target = target;
    if (!animate || !m_widget->isVisible()) {
        jumpToTarget();
        return;
    }
    m_animation->stop();
    m_animation->setStartValue(m_value);
    m_animation->setEndValue(m_target);
    m_animation->start();
}

void ZingTransition::jumpToTarget() {
    m_animation->stop();
    m_value = m_target;
    m_widget->update();
}

bool ZingTransition::eventFilter(QObject* watched, QEvent* event) {
    if (watched == m_widget && event->type() == QEvent::Hide && isRunning())
        jumpToTarget();
    return false;
}
