#include "app/screens/panel/panel_card.h"

#include "reactions/zing_theme.h"

#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

PanelCard::PanelCard(QWidget* parent) : QFrame(parent), m_layout(new QVBoxLayout(this)) {
    m_layout->setContentsMargins(12, 12, 12, 12);
    m_layout->setSpacing(6);
}

void PanelCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 14, 14);
    painter.fillPath(path, ZingTheme::card());
    painter.setPen(QPen(ZingTheme::withOpacity(ZingTheme::ink(), 0.08), 1));
    painter.drawPath(path);
}
