#include "app/components/zing_switch.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_paint.h"
#include "app/components/zing_transition.h"
#include "reactions/zing_theme.h"

#include <QPainter>

namespace {
constexpr qreal trackWidth = 36;
constexpr qreal trackHeight = 20;
constexpr qreal knobInset = 2;
constexpr int textGap = 10;
} // namespace

ZingSwitch::ZingSwitch(const QString& text, QWidget* parent)
    : QAbstractButton(parent), m_knob(new ZingTransition(this, 120)) {
    setText(text);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFont(ZingFonts::rounded(12, QFont::Normal));
    setSizePolicy(text.isEmpty() ? QSizePolicy::Fixed : QSizePolicy::Preferred, QSizePolicy::Fixed);
}

void ZingSwitch::checkStateSet() {
    m_knob->setTarget(isChecked() ? 1.0 : 0.0);
}

QSize ZingSwitch::sizeHint() const {
    // A little room around the track for the focus ring.
    const int textWidth = text().isEmpty() ? 0 : QFontMetrics(font()).horizontalAdvance(text()) + textGap;
    return QSize(textWidth + int(trackWidth) + 4,
                 std::max(int(trackHeight) + 4, QFontMetrics(font()).height()));
}

QRectF ZingSwitch::trackRect() const {
    return QRectF(width() - trackWidth - 2, (height() - trackHeight) / 2, trackWidth, trackHeight);
}

void ZingSwitch::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(isEnabled() ? 1.0 : 0.45);
    const QRectF track = trackRect();
    if (!text().isEmpty()) {
        painter.setPen(ZingTheme::ink());
        painter.setFont(font());
        painter.drawText(QRectF(0, 0, track.left() - textGap, height()), Qt::AlignLeft | Qt::AlignVCenter,
                         text());
    }
    const double on = m_knob->value();
    painter.setPen(Qt::NoPen);
    painter.setBrush(ZingTheme::withOpacity(Qt::white, 0.18));
    painter.drawRoundedRect(track, trackHeight / 2, trackHeight / 2);
    if (on > 0) {
        painter.setBrush(ZingTheme::withOpacity(ZingTheme::lime(), on));
        painter.drawRoundedRect(track, trackHeight / 2, trackHeight / 2);
    }
    const qreal knob = trackHeight - 2 * knobInset;
    const qreal x = ZingPaint::mix(track.left() + knobInset, track.right() - knobInset - knob, on);
    painter.setBrush(Qt::white);
    painter.drawEllipse(QRectF(x, track.top() + knobInset, knob, knob));
    if (hasFocus()) {
        painter.setOpacity(1.0);
        ZingPaint::focusRing(painter, track.adjusted(-2, -2, 2, 2), trackHeight / 2 + 2);
    }
}
