#pragma once

#include "app/screens/onboarding/onboarding_model.h"

#include <QWidget>
#include <functional>

class AppState;
class OnboardingPager;
class OnboardingStylePage;
class OnboardingTryPage;
class ShellActions;
class ZingPageDots;
class ZingPrimaryButton;
class ZingSecondaryButton;

// The first-run window's content: four pages with dots and Back / Next / "Let's go". Built anew each time the
// window opens, so it starts on the first page.
class OnboardingView final : public QWidget {
    Q_OBJECT
public:
    // `onComplete` takes the window away once "Let's go" has done its steps; closing the window any other way
    // leaves onboarding as it was.
    OnboardingView(AppState& state, ShellActions& shell, std::function<void()> onComplete,
                   QWidget* parent = nullptr);

    QSize sizeHint() const override { return QSize(520, 660); }

    const OnboardingModel& model() const { return m_model; }
    OnboardingPager* pager() const { return m_pager; }
    ZingSecondaryButton* backButton() const { return m_back; }
    ZingPrimaryButton* nextButton() const { return m_next; }
    ZingPrimaryButton* finishButton() const { return m_finish; }
    ZingPageDots* dots() const { return m_dots; }
    OnboardingStylePage* stylePage() const { return m_stylePage; }
    OnboardingTryPage* tryPage() const { return m_tryPage; }

    // Moves like the buttons do (Back, Next); out-of-range moves do nothing.
    void goBack();
    void goNext();

protected:
    void showEvent(QShowEvent* event) override;

private:
    // Enter: the forward button of the page.
    void advance();
    void showPage();

    OnboardingModel m_model;
    OnboardingPager* m_pager;
    OnboardingStylePage* m_stylePage;
    OnboardingTryPage* m_tryPage;
    ZingSecondaryButton* m_back;
    ZingPageDots* m_dots;
    ZingPrimaryButton* m_next;
    ZingPrimaryButton* m_finish;
};
