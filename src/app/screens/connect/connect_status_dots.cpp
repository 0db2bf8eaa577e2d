#include "app/screens/connect/connect_status_dots.h"

#include "reactions/zing_theme.h"

#include <QPainter>
#include <QStringList>

namespace {

constexpr int kDot = 8;
constexpr int kGap = 5;
const char* const kNames[] = {"Stripe", "Google", "Datafast"};

} // namespace

ConnectStatusDots::ConnectStatusDots(QWidget* parent) : QWidget(parent) {
    setFocusPolicy(Qt::NoFocus);
    setLit(m_lit);
}

void ConnectStatusDots::setLit(const QList<bool>& lit) {
    m_lit = lit;
    QStringList parts;
    for (qsizetype i = 0; i < m_lit.size() && i < 3; ++i)
        parts.append(QLatin1String(kNames[i]) +
                     (m_lit.at(i) ? QStringLiteral(" connected") : QStringLiteral(" not connected")));
    setAccessibleName(parts.join(QStringLiteral(", ")));
    update();
}

QSize ConnectStatusDots::sizeHint() const {
    const int count = int(m_lit.size());
    return QSize(count * kDot + std::max(0, count - 1) * kGap, kDot);
}

void ConnectStatusDots::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    const qreal top = (height() - kDot) / 2.0;
    for (qsizetype i = 0; i < m_lit.size(); ++i) {
        painter.setBrush(m_lit.at(i) ? ZingTheme::lime() : ZingTheme::withOpacity(ZingTheme::ink(), 0.2));
        painter.drawEllipse(QRectF(qreal(i) * (kDot + kGap), top, kDot, kDot));
    }
}
