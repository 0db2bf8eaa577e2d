#include "app/components/zing_scroll_area.h"

#include <QScrollBar>
#include <QVBoxLayout>

ZingScrollArea::ZingScrollArea(QWidget* parent) : QScrollArea(parent) {
    setFrameShape(QFrame::NoFrame);
    setWidgetResizable(true);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setAutoFillBackground(false);
    viewport()->setAutoFillBackground(false);
    setFocusPolicy(Qt::NoFocus);
}

void ZingScrollArea::setContent(QWidget* content) {
    setWidget(content);
    content->setAutoFillBackground(false);
}

QWidget* ZingScrollArea::makeContent() {
    auto* content = new QWidget;
    auto* layout = new QVBoxLayout(content);
    layout->setContentsMargins(0, 0, 0, 0);
    setContent(content);
    return content;
}
