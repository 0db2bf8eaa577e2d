#pragma once

#include <QFrame>

class QVBoxLayout;

// A rounded card the dashboard's sections sit in.
class PanelCard : public QFrame {
    Q_OBJECT
public:
    explicit PanelCard(QWidget* parent = nullptr);
    QVBoxLayout* contentLayout() const { return m_layout; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QVBoxLayout* m_layout;
};
