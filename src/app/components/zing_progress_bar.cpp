#include "app/components/zing_progress_bar.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {
constexpr int steps = 1000;
}

ZingProgressBar::ZingProgressBar(QWidget* parent)
    : QProgressBar(parent), m_gradient(ZingTheme::heroGradient()) {
    setRange(0, steps);
    setValue(0);
    setTextVisible(false);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

double ZingProgressBar::fraction() const {
    return double(value()) / steps;
}

void ZingProgressBar::setFraction(double fraction) {
    if (std::isnan(fraction))
        fraction = 0;
    setValue(int(std::lround(std::clamp(fraction, 0.0, 1.0) * steps)));
}

void ZingProgressBar::setGradient(const ZingGradient& gradient) {
    m_gradient = gradient;
    update();
}

void ZingProgressBar::setBarHeight(int height) {
    m_barHeight = std::max(2, height);
    updateGeometry();
}

QSize ZingProgressBar::sizeHint() const {
    return QSize(120, m_barHeight);
}

QSize ZingProgressBar::minimumSizeHint() const {
    return QSize(m_barHeight * 2, m_barHeight);
}

void ZingProgressBar::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const QRectF track(0, (height() - m_barHeight) / 2.0, width(), m_barHeight);
    const qreal radius = m_barHeight / 2.0;
    painter.setBrush(ZingTheme::withOpacity(Qt::white, 0.1));
    painter.drawRoundedRect(track, radius, radius);
    if (value() <= minimum())
        return;
    // A sliver shorter than the bar is high would draw as a blob; let it grow from a full dot.
    const qreal filled = std::max<qreal>(m_barHeight, track.width() * fraction());
    QRectF bar = track;
    bar.setWidth(std::min(filled, track.width()));
    painter.setBrush(m_gradient.in(track));
    painter.drawRoundedRect(bar, radius, radius);
}
