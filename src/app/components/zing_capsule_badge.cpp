#include "app/components/zing_capsule_badge.h"

#include "app/components/zing_fonts.h"
#include "app/components/zing_symbols.h"
#include "reactions/zing_theme.h"

#include <QPainter>

namespace {
constexpr int padX = 8;
constexpr int padY = 3;
constexpr int symbolGap = 4;
} // namespace

ZingCapsuleBadge::ZingCapsuleBadge(const QString& text, const QColor& color, QWidget* parent)
    : QWidget(parent), m_text(text), m_color(color) {
    setFont(ZingFonts::rounded(9, QFont::Bold));
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    setAccessibleName(text);
}

void ZingCapsuleBadge::setText(const QString& text) {
    m_text = text;
    setAccessibleName(text);
    updateGeometry();
    update();
}

void ZingCapsuleBadge::setColor(const QColor& color) {
    m_color = color;
    update();
}

void ZingCapsuleBadge::setSymbol(const QString& name) {
    m_symbol = name;
    updateGeometry();
    update();
}

QSize ZingCapsuleBadge::sizeHint() const {
    const QFontMetrics metrics(font());
    const int symbolWidth = m_symbol.isEmpty() ? 0 : metrics.height() - 2 + symbolGap;
    return QSize(metrics.horizontalAdvance(m_text) + symbolWidth + 2 * padX, metrics.height() + 2 * padY);
}

void ZingCapsuleBadge::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box(rect());
    painter.setPen(Qt::NoPen);
    painter.setBrush(ZingTheme::withOpacity(m_color, 0.18));
    painter.drawRoundedRect(box, box.height() / 2, box.height() / 2);
    QRectF content = box.adjusted(padX, padY, -padX, -padY);
    if (!m_symbol.isEmpty()) {
        const qreal side = content.height() - 2;
        ZingSymbols::paint(painter, QRectF(content.left(), content.center().y() - side / 2, side, side),
                           m_symbol, m_color);
        content.setLeft(content.left() + side + symbolGap);
    }
    painter.setPen(m_color);
    painter.setFont(font());
    painter.drawText(content, Qt::AlignLeft | Qt::AlignVCenter, m_text);
}
