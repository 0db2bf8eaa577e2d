#pragma once

#include <QList>
#include <QWidget>

class QParallelAnimationGroup;

// Shows one page at a time. A change of page slides the new page in from the side it lies on, easing in and
// out over 0.25 s while on screen; hidden, it switches at once (and ends a slide that is running).
class OnboardingPager final : public QWidget {
    Q_OBJECT
public:
    explicit OnboardingPager(QWidget* parent = nullptr);
    void addPage(QWidget* page);
    int currentIndex() const { return m_current; }
    QWidget* currentPage() const { return m_pages.value(m_current); }
    void setCurrentIndex(int index);
    bool isSliding() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void settle();

    QList<QWidget*> m_pages;
    int m_current = 0;
    QParallelAnimationGroup* m_slide;
};
