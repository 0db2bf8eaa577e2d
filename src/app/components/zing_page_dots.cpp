#include "app/components/zing_page_dots.h"

#include "app/components/zing_paint.h"
#include "app/components/zing_transition.h"
#include "reactions/zing_theme.h"

#include <QPainter>
#include <algorithm>

namespace {
constexpr qreal dotHeight = 8;
constexpr qreal dotWidth = 8;
constexpr qreal currentWidth = 22;
constexpr qreal spacing = 8;
constexpr int durationMs = 200;

QColor blend(const QColor& a, const QColor& b, double t) {
    return QColor::fromRgbF(
        float(ZingPaint::mix(a.redF(), b.redF(), t)), float(ZingPaint::mix(a.greenF(), b.greenF(), t)),
        float(ZingPaint::mix(a.blueF(), b.blueF(), t)), float(ZingPaint::mix(a.alphaF(), b.alphaF(), t)));
}
} // namespace

ZingPageDots::ZingPageDots(int count, int current, QWidget* parent)
    : QWidget(parent), m_transition(new ZingTransition(this, durationMs)) {
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setFocusPolicy(Qt::NoFocus);
    setCount(count);
    setCurrent(current);
    m_transition->setTarget(1.0, false);
}

void ZingPageDots::setCount(int count) {
    m_count = std::max(0, count);
    m_current = std::clamp(m_current, 0, std::max(0, m_count - 1));
    m_previous = m_current;
    updateGeometry();
    update();
}

void ZingPageDots::setCurrent(int current) {
    current = std::clamp(current, 0, std::max(0, m_count - 1));
    if (current == m_current)
        return;
    m_previous = m_current;
    m_current = current;
    m_transition->setTarget(0.0, false);
    m_transition->setTarget(1.0);
}

double ZingPageDots::emphasisOf(int index) const {
    const double progress = m_transition->value();
    if (index == m_current)
        return m_previous == m_current ? 1.0 : progress;
    if (index == m_previous)
        return 1.0 - progress;
    return 0.0;
}

double ZingPageDots::widthOf(int index) const {
    return ZingPaint::mix(dotWidth, currentWidth, emphasisOf(index));
}

QRectF ZingPageDots::dotRect(int index) const {
    if (index < 0 || index >= m_count)
        return {};
    const QSize hint = sizeHint();
    qreal x = (width() - hint.width()) / 2.0;
    for (int i = 0; i < index; ++i)
        x += widthOf(i) + spacing;
    return QRectF(x, (height() - dotHeight) / 2.0, widthOf(index), dotHeight);
}

QSize ZingPageDots::sizeHint() const {
    if (m_count == 0)
        return QSize(0, int(dotHeight));
    return QSize(int(currentWidth + (m_count - 1) * (dotWidth + spacing)), int(dotHeight));
}

void ZingPageDots::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QColor rest = ZingTheme::withOpacity(Qt::white, 0.25);
    for (int i = 0; i < m_count; ++i) {
        painter.setBrush(blend(rest, ZingTheme::lime(), emphasisOf(i)));
        const QRectF dot = dotRect(i);
        painter.drawRoundedRect(dot, dotHeight / 2, dotHeight / 2);
    }
}
