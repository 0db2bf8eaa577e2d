#include "app/components/zing_button.h"

#include "app/components/zing_paint.h"
#include "app/components/zing_symbols.h"
#include "app/components/zing_transition.h"

#include <QPainter>
#include <QStyle>
#include <cmath>

namespace {
constexpr int pressDurationMs = 120;
constexpr int symbolGap = 4;
} // namespace

ZingButton::ZingButton(const QString& text, QWidget* parent)
    : QPushButton(text, parent), m_press(new ZingTransition(this, pressDurationMs)) {
    setCursor(Qt::PointingHandCursor);
    setFocusPolicy(Qt::StrongFocus);
    setAttribute(Qt::WA_Hover);
}

void ZingButton::setSymbol(const QString& name, int size) {
    m_symbol = name;
    m_symbolSize = size;
    updateGeometry();
    update();
}

double ZingButton::pressProgress() const {
    return isEnabled() ? m_press->value() : 0.0;
}

QSize ZingButton::contentSize() const {
    const QFontMetrics metrics(font());
    const QString label = text();
    const QSize textSize =
        label.isEmpty() ? QSize(0, 0) : QSize(metrics.horizontalAdvance(label), metrics.height());
    if (m_symbol.isEmpty())
        return textSize;
    if (label.isEmpty())
        return QSize(m_symbolSize, m_symbolSize);
    if (symbolAbove())
        return QSize(std::max(textSize.width(), m_symbolSize), textSize.height() + symbolGap + m_symbolSize);
    return QSize(textSize.width() + symbolGap + m_symbolSize, std::max(textSize.height(), m_symbolSize));
}

QSize ZingButton::sizeHint() const {
    const QMargins pad = padding();
    const QSize content = contentSize();
    return QSize(content.width() + pad.left() + pad.right(), content.height() + pad.top() + pad.bottom());
}

QSize ZingButton::minimumSizeHint() const {
    return sizeHint();
}

void ZingButton::paintLabel(QPainter& painter, const QRectF& rect, const QColor& color) const {
    const QRectF inner = rect.marginsRemoved(padding());
    const QSize content = contentSize();
    QRectF box(0, 0, content.width(), content.height());
    box.moveCenter(inner.center());
    painter.setFont(font());
    painter.setPen(color);
    if (m_symbol.isEmpty()) {
        painter.drawText(rect, Qt::AlignCenter, text());
        return;
    }
    if (text().isEmpty()) {
        ZingSymbols::paint(painter, box, m_symbol, color);
        return;
    }
    if (symbolAbove()) {
        const QRectF symbolRect(box.center().x() - m_symbolSize / 2.0, box.top(), m_symbolSize, m_symbolSize);
        ZingSymbols::paint(painter, symbolRect, m_symbol, color);
        painter.drawText(QRectF(rect.left(), symbolRect.bottom() + symbolGap, rect.width(),
                                box.bottom() - symbolRect.bottom() - symbolGap),
                         Qt::AlignHCenter | Qt::AlignTop, text());
        return;
    }
    const QRectF symbolRect(box.left(), box.center().y() - m_symbolSize / 2.0, m_symbolSize, m_symbolSize);
    ZingSymbols::paint(painter, symbolRect, m_symbol, color);
    painter.drawText(QRectF(symbolRect.right() + symbolGap, box.top(),
                            box.right() - symbolRect.right() - symbolGap, box.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, text());
}

void ZingButton::paintEvent(QPaintEvent*) {
    // setDown() from code has no signal, so the pressed state is followed here; the first paint shows it at
    // once.
    m_press->setTarget(isDown() ? 1.0 : 0.0, m_hasPainted);
    m_hasPainted = true;

    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QRectF full = QRectF(rect());
    const qreal scale = ZingPaint::mix(1.0, pressedScale(), pressProgress());
    painter.translate(full.center());
    painter.scale(scale, scale);
    painter.translate(-full.center());
    paintBackground(painter, full);
    paintLabel(painter, full, labelColor());
    if (hasFocus())
        ZingPaint::focusRing(painter, full, cornerRadius());
}
