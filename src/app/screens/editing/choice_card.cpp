#include "app/screens/editing/choice_card.h"

#include "reactions/zing_theme.h"

#include <QHBoxLayout>
#include <QPainter>
#include <QPainterPath>

ChoiceCard::ChoiceCard(QWidget* parent) : QAbstractButton(parent), m_layout(new QHBoxLayout(this)) {
    setCheckable(true);
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    m_layout->setContentsMargins(10, 8, 10, 8);
    m_layout->setSpacing(8);
}

void ChoiceCard::addContent(QWidget* widget, int stretch, Qt::Alignment alignment) {
    widget->setAttribute(Qt::WA_TransparentForMouseEvents);
    m_layout->addWidget(widget, stretch, alignment);
}

QSize ChoiceCard::sizeHint() const {
    return m_layout->sizeHint();
}

QSize ChoiceCard::minimumSizeHint() const {
    return m_layout->minimumSize();
}

void ChoiceCard::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.75, 0.75, -0.75, -0.75);
    QPainterPath path;
    path.addRoundedRect(box, 10, 10);
    if (isChecked()) {
        painter.fillPath(path, ZingTheme::withOpacity(ZingTheme::hotPink(), 0.22));
        painter.setPen(QPen(ZingTheme::hotPink(), 1.5));
    } else {
        painter.fillPath(path, ZingTheme::withOpacity(Qt::white, underMouse() ? 0.1 : 0.06));
        painter.setPen(QPen(ZingTheme::withOpacity(Qt::white, 0.1), 1));
    }
    if (hasFocus())
        painter.setPen(QPen(ZingTheme::lime(), 1.5));
    painter.drawPath(path);
}
