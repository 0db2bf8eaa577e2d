#include "app/components/zing_slider.h"

#include "app/components/zing_paint.h"
#include "reactions/zing_theme.h"

#include <QPainter>
#include <QStyle>
#include <QStyleOptionSlider>

namespace {
constexpr int knob = 16;
constexpr qreal groove = 4;
} // namespace

ZingSlider::ZingSlider(QWidget* parent) : QSlider(Qt::Horizontal, parent) {
    setFocusPolicy(Qt::StrongFocus);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    setCursor(Qt::PointingHandCursor);
}

QSize ZingSlider::sizeHint() const {
    return QSize(160, knob + 6);
}

QSize ZingSlider::minimumSizeHint() const {
    return QSize(knob * 3, knob + 6);
}

// The knob sits where the style's handle is, so that clicks and drags hit what is drawn.
QRect ZingSlider::handleRect() const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    const QRect handle = style()->subControlRect(QStyle::CC_Slider, &option, QStyle::SC_SliderHandle, this);
    QRect circle(0, 0, knob, knob);
    circle.moveCenter(handle.center());
    circle.moveTop((height() - knob) / 2);
    return circle;
}

void ZingSlider::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(isEnabled() ? 1.0 : 0.45);
    const QRectF handle(handleRect());
    const QRectF track(knob / 2.0, (height() - groove) / 2, width() - knob, groove);
    painter.setPen(Qt::NoPen);
    painter.setBrush(ZingTheme::withOpacity(Qt::white, 0.15));
    painter.drawRoundedRect(track, groove / 2, groove / 2);
    QRectF filled = track;
    filled.setRight(std::max(track.left(), handle.center().x()));
    painter.setBrush(ZingTheme::lime());
    painter.drawRoundedRect(filled, groove / 2, groove / 2);
    painter.setBrush(Qt::white);
    painter.drawEllipse(handle.adjusted(1, 1, -1, -1));
    if (hasFocus()) {
        painter.setOpacity(1.0);
        painter.setBrush(Qt::NoBrush);
        painter.setPen(QPen(ZingPaint::focusColor(), 2));
        painter.drawEllipse(handle.adjusted(0, 0, 0, 0));
    }
}
