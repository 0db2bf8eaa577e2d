#include "app/components/zing_page_dots.h"
#include "app/components/zing_primary_button.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_switch.h"
#include "app/screens/onboarding/onboarding_pager.h"
#include "app/screens/onboarding/onboarding_style_page.h"
#include "app/screens/onboarding/onboarding_tile.h"
#include "app/screens/onboarding/onboarding_try_page.h"
#include "app/screens/onboarding/onboarding_view.h"
#include "screen_fixture.h"

#include <QLabel>
#include <QTest>

namespace {

class OnboardingViewTest : public ScreenTest {
protected:
    std::unique_ptr<OnboardingView> makeView() {
        auto view = std::make_unique<OnboardingView>(state(), shell, [this] { ++completions; });
        view->resize(view->sizeHint());
        view->show();
        view->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(view.get()));
        return view;
    }
    int completions = 0;
};

TEST_F(OnboardingViewTest, ButtonsFollowThePage) {
    auto view = makeView();
    const struct {
        bool back, next, finish;
    } pages[] = {{false, true, false}, {true, true, false}, {true, true, false}, {true, false, true}};
    for (int page = 0; page < 4; ++page) {
        SCOPED_TRACE(page);
        EXPECT_EQ(view->model().page(), page);
        EXPECT_EQ(view->dots()->current(), page);
        EXPECT_EQ(view->backButton()->isVisible(), pages[page].back);
        EXPECT_EQ(view->nextButton()->isVisible(), pages[page].next);
        EXPECT_EQ(view->finishButton()->isVisible(), pages[page].finish);
        if (page < 3)
            QTest::mouseClick(view->nextButton(), Qt::LeftButton);
    }
    QTest::mouseClick(view->backButton(), Qt::LeftButton);
    EXPECT_EQ(view->model().page(), 2);
    EXPECT_EQ(view->pager()->currentIndex(), 2);
    EXPECT_EQ(completions, 0);
}

TEST_F(OnboardingViewTest, EnterMovesOnAndFinishesOnTheLastPage) {
    auto view = makeView();
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(view.get(), Qt::Key_Return);
    EXPECT_EQ(view->model().page(), 3);
    // Enter on the focused fire button fires instead of finishing.
    view->tryPage()->fireButton()->setFocus();
    QTest::keyClick(view->tryPage()->fireButton(), Qt::Key_Return);
    EXPECT_EQ(fired.size(), 1);
    EXPECT_EQ(completions, 0);
    view->finishButton()->setFocus();
    QTest::keyClick(view->finishButton(), Qt::Key_Return);
    EXPECT_EQ(completions, 1);
    EXPECT_TRUE(savedSettings().hasCompletedOnboarding);
    EXPECT_TRUE(state().lastPollAt().has_value());
}

TEST_F(OnboardingViewTest, EscapeClosesWithoutCompleting) {
    auto view = makeView();
    QTest::keyClick(view.get(), Qt::Key_Escape);
    EXPECT_FALSE(view->isVisible());
    EXPECT_EQ(completions, 0);
    EXPECT_FALSE(state().settings().hasCompletedOnboarding);
}

// On every page Tab visits the page's controls and then the buttons below it, in reading order, and wraps;
// the hidden pages' controls are never reached.
TEST_F(OnboardingViewTest, TabWalksEachPageInReadingOrder) {
    auto view = makeView();
    // Next; Back and Next; two style tiles, two switches, Back and Next; three samples, the fire button, Back
    // and "Let's go".
    const int controlsPerPage[] = {1, 2, 6, 6};
    for (int page = 0; page < 4; ++page) {
        SCOPED_TRACE(page);
        if (page > 0)
            view->goNext();
        ASSERT_TRUE(QTest::qWaitFor([&] { return !view->pager()->isSliding(); }));
        const TabWalk walk = walkTab(view.get());
        EXPECT_EQ(walk.expected.size(), controlsPerPage[page] + 1);
        EXPECT_EQ(walk.actual, walk.expected);
    }
}

TEST_F(OnboardingViewTest, StyleTilesSaveAndTheLastPageFiresTheChosenSample) {
    auto view = makeView();
    QTest::mouseClick(view->stylePage()->subtleTile(), Qt::LeftButton);
    EXPECT_EQ(savedSettings().notificationStyle, NotificationStyle::subtle);
    QTest::mouseClick(view->stylePage()->animationsSwitch(), Qt::LeftButton);
    EXPECT_FALSE(savedSettings().reactionAnimationsEnabled);

    OnboardingTryPage* page = view->tryPage();
    EXPECT_FALSE(page->firedLabel()->isVisibleTo(page));
    QTest::mouseClick(page->tiles()[2], Qt::LeftButton);
    EXPECT_TRUE(page->tiles()[2]->isChecked());
    EXPECT_FALSE(page->tiles()[0]->isChecked());
    QTest::mouseClick(page->fireButton(), Qt::LeftButton);
    ASSERT_EQ(fired.size(), 1);
    EXPECT_EQ(fired[0].config.message, QStringLiteral("Noooo!"));
    EXPECT_TRUE(page->firedLabel()->isVisibleTo(page));
    EXPECT_EQ(page->firedLabel()->text(),
              QStringLiteral("Fired refund alert \u2014 look for the corner toast above this window."));
}

} // namespace
