#include "app/screens/panel/goal_progress_ring.h"

#include "app/screens/panel/dashboard_model.h"
#include "reactions/zing_theme.h"

#include <QPainter>
#include <algorithm>

GoalProgressRing::GoalProgressRing(QWidget* parent) : QWidget(parent) {
    setFixedSize(sizeHint());
}

void GoalProgressRing::setProgress(double fraction, int completedCount, int totalCount) {
    m_fraction = fraction;
    m_completed = completedCount;
    m_total = totalCount;
    setAccessibleName(DashboardModel::ringPercent(fraction) + QStringLiteral(", ") +
                      QString::number(completedCount) + QLatin1Char('/') + QString::number(totalCount));
    update();
}

void GoalProgressRing::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const double stroke = 6;
    const QRectF ring = QRectF(rect()).adjusted(stroke / 2, stroke / 2, -stroke / 2, -stroke / 2);
    QPen track(ZingTheme::withOpacity(ZingTheme::ink(), 0.12), stroke);
    painter.setPen(track);
    painter.drawEllipse(ring);

    const double shown = std::clamp(m_fraction, 0.0, 1.0);
    if (shown > 0) {
        QPen arc(QBrush(ZingTheme::heroGradient().in(ring)), stroke, Qt::SolidLine, Qt::RoundCap);
        painter.setPen(arc);
        // Clockwise from twelve o'clock.
        painter.drawArc(ring, 90 * 16, -int(shown * 360 * 16));
    }

    QFont percentFont = font();
    percentFont.setBold(true);
    percentFont.setPixelSize(14);
    painter.setFont(percentFont);
    painter.setPen(ZingTheme::ink());
    const QRectF upper(rect().left(), rect().top() + height() * 0.22, width(), height() * 0.36);
    painter.drawText(upper, Qt::AlignCenter, DashboardModel::ringPercent(m_fraction));
    QFont countFont = font();
    countFont.setPixelSize(10);
    painter.setFont(countFont);
    painter.setPen(ZingTheme::inkMuted());
    const QRectF lower(rect().left(), rect().top() + height() * 0.55, width(), height() * 0.25);
    painter.drawText(lower, Qt::AlignCenter,
                     QString::number(m_completed) + QLatin1Char('/') + QString::number(m_total));
}
