#include "app/components/zing_card.h"

#include "reactions/zing_theme.h"

#include <QPainter>
#include <QVBoxLayout>

ZingCard::ZingCard(QWidget* parent) : QFrame(parent), m_layout(new QVBoxLayout(this)) {
    m_layout->setContentsMargins(14, 14, 14, 14);
    m_layout->setSpacing(8);
    // Cards take the height of their content; extra room goes to the space around them.
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Maximum);
}

void ZingCard::addWidget(QWidget* widget) {
    const bool expands = widget->sizePolicy().horizontalPolicy() & QSizePolicy::ExpandFlag;
    m_layout->addWidget(widget, 0, expands ? Qt::Alignment() : Qt::AlignLeft);
}

void ZingCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(ZingTheme::withOpacity(Qt::white, 0.1), 1));
    painter.setBrush(ZingTheme::card());
    painter.drawRoundedRect(QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5), 16, 16);
}
