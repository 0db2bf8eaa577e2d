#pragma once

#include <QWidget>

// Today's overall progress as a ring, with the whole percentage and "completed/total" in its centre.
class GoalProgressRing : public QWidget {
    Q_OBJECT
public:
    explicit GoalProgressRing(QWidget* parent = nullptr);

    void setProgress(double fraction, int completedCount, int totalCount);
    QSize sizeHint() const override { return {64, 64}; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double m_fraction = 0;
    int m_completed = 0;
    int m_total = 0;
};
