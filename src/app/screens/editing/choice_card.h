#pragma once

#include <QAbstractButton>

class QHBoxLayout;

// A selectable row or tile of the editors (a provider, a metric, an event): its content is laid out by the
// caller in contentLayout(); the whole card is the hit area, Space chooses it when focused. Checked cards are
// drawn in hot pink.
class ChoiceCard final : public QAbstractButton {
    Q_OBJECT
public:
    explicit ChoiceCard(QWidget* parent = nullptr);

    QHBoxLayout* contentLayout() const { return m_layout; }
    // Adds a child that lets clicks through to the card.
    void addContent(QWidget* widget, int stretch = 0, Qt::Alignment alignment = {});

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QHBoxLayout* m_layout;
};
