#include "app/screens/onboarding/onboarding_pager.h"

#include <QParallelAnimationGroup>
#include <QPropertyAnimation>

OnboardingPager::OnboardingPager(QWidget* parent)
    : QWidget(parent), m_slide(new QParallelAnimationGroup(this)) {
    connect(m_slide, &QAbstractAnimation::finished, this, &OnboardingPager::settle);
}

void OnboardingPager::addPage(QWidget* page) {
    page->setParent(this);
    page->setGeometry(rect());
    page->setVisible(m_pages.isEmpty());
    m_pages.append(page);
}

bool OnboardingPager::isSliding() const {
    return m_slide->state() == QAbstractAnimation::Running;
}

void OnboardingPager::setCurrentIndex(int index) {
    if (index < 0 || index >= m_pages.size() || index == m_current)
        return;
    const int previous = m_current;
    m_current = index;
    m_slide->stop();
    m_slide->clear();
    if (!isVisible()) {
        settle();
        return;
    }
    // Forward slides the new page in from the right, back from the left.
    const int direction = index > previous ? 1 : -1;
    QWidget* outgoing = m_pages[previous];
    QWidget* incoming = m_pages[index];
    incoming->setGeometry(rect().translated(direction * width(), 0));
    incoming->show();
    incoming->raise();
    for (const auto& [page, to] :
         {std::pair{outgoing, QPoint(-direction * width(), 0)}, std::pair{incoming, QPoint(0, 0)}}) {
        auto* move = new QPropertyAnimation(page, "pos", m_slide);
        move->setDuration(250);
        move->setEasingCurve(QEasingCurve::InOutQuad);
        move->setStartValue(page->pos());
        move->setEndValue(to);
        m_slide->addAnimation(move);
    }
    m_slide->start();
}

void OnboardingPager::settle() {
    for (int i = 0; i < m_pages.size(); ++i) {
        m_pages[i]->setGeometry(rect());
        m_pages[i]->setVisible(i == m_current);
    }
}

QSize OnboardingPager::sizeHint() const {
    QSize size;
    for (const QWidget* page : m_pages)
        size = size.expandedTo(page->sizeHint());
    return size;
}

QSize OnboardingPager::minimumSizeHint() const {
    return QSize(200, 200);
}

void OnboardingPager::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    if (isSliding())
        m_slide->stop();
    settle();
}

void OnboardingPager::hideEvent(QHideEvent* event) {
    if (isSliding()) {
        m_slide->stop();
        settle();
    }
    QWidget::hideEvent(event);
}
