#include "app/components/zing_stepper.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_paint.h"
#include "reactions/zing_theme.h"

#include <QKeyEvent>
#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
constexpr int buttonSide = 24;
constexpr int inset = 4;
constexpr int labelPadding = 10;
} // namespace

ZingStepper::ZingStepper(double minimum, double maximum, double step, QWidget* parent)
    : QWidget(parent), m_minimum(std::min(minimum, maximum)), m_maximum(std::max(minimum, maximum)),
      m_step(step > 0 ? step : 1), m_value(m_minimum),
      m_format([](double value) { return QString::number(value, 'g', 12); }) {
    setFocusPolicy(Qt::StrongFocus);
    setFont(ZingFonts::rounded(12, QFont::DemiBold));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(label());
}

void ZingStepper::setValue(double value) {
    if (std::isnan(value))
        return;
    value = std::clamp(value, m_minimum, m_maximum);
    if (value == m_value)
        return;
    m_value = value;
    setAccessibleName(label());
    updateGeometry();
    update();
    Q_EMIT valueChanged(m_value);
}

void ZingStepper::setRange(double minimum, double maximum) {
    m_minimum = std::min(minimum, maximum);
    m_maximum = std::max(minimum, maximum);
    const double before = m_value;
    m_value = std::clamp(m_value, m_minimum, m_maximum);
    update();
    if (m_value != before)
        Q_EMIT valueChanged(m_value);
}

void ZingStepper::setLabelFormat(LabelFormat format) {
    m_format = std::move(format);
    setAccessibleName(label());
    updateGeometry();
    update();
}

QString ZingStepper::label() const {
    return m_format(m_value);
}

void ZingStepper::stepBy(int steps) {
    setValue(m_value + steps * m_step);
}

QSize ZingStepper::sizeHint() const {
    // Wide enough for the longer of the two bounds' labels, so the buttons stay put while stepping.
    const QFontMetrics metrics(font());
    const int text =
        std::max({metrics.horizontalAdvance(m_format(m_minimum)),
                  metrics.horizontalAdvance(m_format(m_maximum)), metrics.horizontalAdvance(label())});
    return QSize(2 * (buttonSide + inset) + text + 2 * labelPadding, buttonSide + 2 * inset);
}

QRectF ZingStepper::minusRect() const {
    return QRectF(inset, (height() - buttonSide) / 2.0, buttonSide, buttonSide);
}

QRectF ZingStepper::plusRect() const {
    return QRectF(width() - inset - buttonSide, (height() - buttonSide) / 2.0, buttonSide, buttonSide);
}

void ZingStepper::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(isEnabled() ? 1.0 : 0.45);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    painter.setPen(QPen(ZingTheme::withOpacity(Qt::white, 0.12), 1));
    painter.setBrush(ZingTheme::cardElevated());
    painter.drawRoundedRect(box, 10, 10);

    const auto drawButton = [&](const QRectF& area, int direction, bool available) {
        painter.setPen(Qt::NoPen);
        painter.setBrush(ZingTheme::withOpacity(Qt::white, m_pressed == direction ? 0.2 : 0.1));
        painter.drawRoundedRect(area, 7, 7);
        QPen pen(available ? ZingTheme::ink() : ZingTheme::inkFaint(), 2, Qt::SolidLine, Qt::RoundCap);
        painter.setPen(pen);
        const QPointF c = area.center();
        painter.drawLine(QPointF(c.x() - 5, c.y()), QPointF(c.x() + 5, c.y()));
        if (direction > 0)
            painter.drawLine(QPointF(c.x(), c.y() - 5), QPointF(c.x(), c.y() + 5));
    };
    drawButton(minusRect(), -1, m_value > m_minimum);
    drawButton(plusRect(), +1, m_value < m_maximum);

    painter.setPen(ZingTheme::ink());
    painter.setFont(font());
    painter.drawText(QRectF(minusRect().right(), 0, plusRect().left() - minusRect().right(), height()),
                     Qt::AlignCenter, label());
    if (hasFocus()) {
        painter.setOpacity(1.0);
        ZingPaint::focusRing(painter, QRectF(rect()), 10);
    }
}

void ZingStepper::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Up:
    case Qt::Key_Right:
    case Qt::Key_Plus:
        stepBy(1);
        break;
    case Qt::Key_Down:
    case Qt::Key_Left:
    case Qt::Key_Minus:
        stepBy(-1);
        break;
    case Qt::Key_PageUp:
        stepBy(10);
        break;
    case Qt::Key_PageDown:
        stepBy(-10);
        break;
    case Qt::Key_Home:
        setValue(m_minimum);
        break;
    case Qt::Key_End:
        setValue(m_maximum);
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void ZingStepper::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton)
        return QWidget::mousePressEvent(event);
    const QPointF at = event->position();
    m_pressed = minusRect().contains(at) ? -1 : plusRect().contains(at) ? 1 : 0;
    update();
}

void ZingStepper::mouseReleaseEvent(QMouseEvent* event) {
    const int pressed = std::exchange(m_pressed, 0);
    update();
    if (event->button() != Qt::LeftButton || pressed == 0)
        return QWidget::mouseReleaseEvent(event);
    // Like a button: the step happens when released over the one pressed.
    if ((pressed < 0 ? minusRect() : plusRect()).contains(event->position()))
        stepBy(pressed);
}

void ZingStepper::wheelEvent(QWheelEvent* event) {
    const int delta = event->angleDelta().y();
    if (delta == 0 || !hasFocus())
        return QWidget::wheelEvent(event);
    stepBy(delta > 0 ? 1 : -1);
    event->accept();
}
