#pragma once

#include <QList>
#include <QString>
#include <QWidget>

// Three small dots, one per source (Stripe, Google, Datafast), lit in lime when that source is connected.
// Display only; the accessible name says which are connected.
class ConnectStatusDots final : public QWidget {
    Q_OBJECT
public:
    explicit ConnectStatusDots(QWidget* parent = nullptr);

    // One entry per dot, in order.
    void setLit(const QList<bool>& lit);
    const QList<bool>& lit() const { return m_lit; }
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QList<bool> m_lit{false, false, false};
};
