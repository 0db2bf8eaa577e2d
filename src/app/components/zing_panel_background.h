#pragma once

#include <QWidget>

// The root of a screen: paints the panel background gradient (midnight to a deep violet, top to bottom)
// over its whole area and gives its children the dark palette. Lay the screen out inside it.
class ZingPanelBackground : public QWidget {
    Q_OBJECT
public:
    explicit ZingPanelBackground(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
};
