#include "app/screens/panel/gradient_name_label.h"

#include "reactions/zing_theme.h"

#include <QFontMetrics>
#include <QPainter>
#include <QPainterPath>

GradientNameLabel::GradientNameLabel(const QString& text, QWidget* parent) : QWidget(parent), m_text(text) {
    QFont f = font();
    f.setPixelSize(20);
    f.setWeight(QFont::Black);
    setFont(f);
    setAccessibleName(text);
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

QSize GradientNameLabel::sizeHint() const {
    const QFontMetrics metrics(font());
    return {metrics.horizontalAdvance(m_text) + 2, metrics.height()};
}

void GradientNameLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    QPainterPath path;
    path.addText(QPointF(1, QFontMetrics(font()).ascent()), font(), m_text);
    painter.fillPath(path, ZingTheme::heroGradient().in(path.boundingRect()));
}
