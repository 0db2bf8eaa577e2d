#pragma once

#include <QWidget>

// The product name in heavy weight, filled with the brand gradient.
class GradientNameLabel : public QWidget {
    Q_OBJECT
public:
    explicit GradientNameLabel(const QString& text, QWidget* parent = nullptr);
    QSize sizeHint() const override;
    QString text() const { return m_text; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
};
