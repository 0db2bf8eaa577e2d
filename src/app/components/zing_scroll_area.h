#pragma once

#include <QScrollArea>

// A vertical scroll area with no frame and no background of its own, so the panel behind it shows through;
// the content is as wide as the viewport, and a slim scroll bar appears when the content is taller. Put the
// content in with setContent() (QScrollArea::setWidget would give the content an opaque background).
class ZingScrollArea final : public QScrollArea {
    Q_OBJECT
public:
    explicit ZingScrollArea(QWidget* parent = nullptr);

    // setWidget() that keeps the content transparent.
    void setContent(QWidget* content);

    // A plain transparent container with a vertical layout (margins 0), set as the widget; for the common
    // case.
    QWidget* makeContent();
};
