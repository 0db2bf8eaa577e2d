#pragma once

#include "reactions/zing_theme.h"

#include <QProgressBar>

// A thin progress bar (6 high by default): a white 0.1 track and a capsule filled with a gradient (hero by
// default) up to fraction(). Built on QProgressBar so screen readers read its value. No text.
class ZingProgressBar final : public QProgressBar {
    Q_OBJECT
public:
    explicit ZingProgressBar(QWidget* parent = nullptr);

    // 0 to 1; values outside are clamped.
    double fraction() const;
    void setFraction(double fraction);
    void setGradient(const ZingGradient& gradient);
    void setBarHeight(int height);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    ZingGradient m_gradient;
    int m_barHeight = 6;
};
