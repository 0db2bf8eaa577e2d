#include "app/components/zing_panel_background.h"

#include "app/components/zing_style.h"
#include "reactions/zing_theme.h"

#include <QPainter>

ZingPanelBackground::ZingPanelBackground(QWidget* parent) : QWidget(parent) {
    setPalette(ZingStyle::darkPalette());
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void ZingPanelBackground::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.fillRect(rect(), ZingTheme::panelBackground().in(QRectF(rect())));
}
