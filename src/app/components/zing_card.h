#pragma once

#include <QFrame>

class QVBoxLayout;

// A card: content padded 14 on every side, stretched to the full width, on a rounded rectangle (radius 16)
// filled with the theme's card colour and outlined with white at 0.1. Put content into contentLayout().
class ZingCard : public QFrame {
    Q_OBJECT
public:
    explicit ZingCard(QWidget* parent = nullptr);

    // Vertical, margins 14, spacing 8; the caller may change the spacing.
    QVBoxLayout* contentLayout() const { return m_layout; }
    // Adds a widget to contentLayout(), leading-aligned unless it asks to expand.
    void addWidget(QWidget* widget);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* m_layout;
};
