#include "app/components/zing_chip.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_paint.h"
#include "reactions/zing_theme.h"

#include <QPainter>

namespace {
const QMargins chipPadding(10, 5, 10, 5);
}

ZingChip::ZingChip(const QString& text, QWidget* parent) : QAbstractButton(parent) {
    setText(text);
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setFont(ZingFonts::rounded(11, QFont::DemiBold));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize ZingChip::sizeHint() const {
    const QFontMetrics metrics(font());
    return QSize(metrics.horizontalAdvance(text()) + chipPadding.left() + chipPadding.right(),
                 metrics.height() + chipPadding.top() + chipPadding.bottom());
}

void ZingChip::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setOpacity(isEnabled() ? 1.0 : 0.45);
    const QRectF box = QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75);
    const qreal radius = box.height() / 2;
    const bool on = isChecked();
    painter.setPen(on ? QPen(ZingTheme::hotPink(), 1.5) : QPen(Qt::NoPen));
    const double pressedBoost = isDown() ? 0.06 : 0.0;
    painter.setBrush(on ? ZingTheme::withOpacity(ZingTheme::hotPink(), 0.35 + pressedBoost)
                        : ZingTheme::withOpacity(Qt::white, 0.08 + pressedBoost));
    painter.drawRoundedRect(box, radius, radius);
    painter.setPen(on ? ZingTheme::ink() : ZingTheme::inkMuted());
    painter.setFont(font());
    painter.drawText(QRectF(rect()), Qt::AlignCenter, text());
    if (hasFocus()) {
        painter.setOpacity(1.0);
        ZingPaint::focusRing(painter, QRectF(rect()), radius + 1);
    }
}
