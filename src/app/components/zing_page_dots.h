#pragma once

#include <QWidget>

class ZingTransition;

// A row of `count` capsules 8 high, 8 apart: the current one 22 wide in lime, the others 8 wide in white at
// 0.25. A change of current eases out over 0.2 s (at once while hidden). Display only: no focus.
class ZingPageDots final : public QWidget {
    Q_OBJECT
public:
    explicit ZingPageDots(int count = 0, int current = 0, QWidget* parent = nullptr);

    int count() const { return m_count; }
    int current() const { return m_current; }
    void setCount(int count);
    // Clamped to the valid indexes.
    void setCurrent(int current);

    // The capsule of `index` as drawn now (mid-animation too), in widget coordinates.
    QRectF dotRect(int index) const;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    double widthOf(int index) const;
    // How far `index` is from being the current dot: 1 = current, 0 = not.
    double emphasisOf(int index) const;

    int m_count = 0;
    int m_current = 0;
    int m_previous = 0;
    ZingTransition* m_transition;
};
