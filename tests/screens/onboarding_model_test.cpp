#include "app/screens/onboarding/onboarding_model.h"
#include "screen_fixture.h"

namespace {

class OnboardingModelTest : public ScreenTest {
protected:
    OnboardingModel& model() {
        if (!m_model)
            m_model = std::make_unique<OnboardingModel>(state(), [this] {
                // The window goes away only after the other finishing steps.
                completedAfterSave = savedSettings().hasCompletedOnboarding;
                ++completions;
            });
        return *m_model;
    }
    void goTo(int page) {
        while (model().page() < page)
            model().next();
    }
    int completions = 0;
    bool completedAfterSave = false;

private:
    std::unique_ptr<OnboardingModel> m_model;
};

TEST_F(OnboardingModelTest, NavigationOffersBackNextAndLetsGoByPage) {
    const struct {
        int page;
        bool back, next, finish;
    } pages[] = {
        {0, false, true, false}, {1, true, true, false}, {2, true, true, false}, {3, true, false, true}};
    for (const auto& p : pages) {
        goTo(p.page);
        ASSERT_EQ(model().page(), p.page);
        EXPECT_EQ(model().canGoBack(), p.back) << p.page;
        EXPECT_EQ(model().canGoNext(), p.next) << p.page;
        EXPECT_EQ(model().canFinish(), p.finish) << p.page;
    }
    // Past either end nothing moves (a key press may arrive while a button is being hidden).
    model().next();
    EXPECT_EQ(model().page(), 3);
    for (int i = 0; i < 5; ++i)
        model().back();
    EXPECT_EQ(model().page(), 0);
}

TEST_F(OnboardingModelTest, FiredMessageFollowsStyleAndNamesTheFiredSample) {
    const struct {
        const char* sample;
        NotificationStyle style;
        QString message;
    } cases[] = {
        {"refund", NotificationStyle::subtle,
         QStringLiteral("Fired refund alert \u2014 look for the corner toast above this window.")},
        {"goal", NotificationStyle::celebration,
         QStringLiteral("Fired goal crushed \u2014 check the full-screen burst above this window.")},
        {"purchase", NotificationStyle::celebration,
         QStringLiteral("Fired new purchase \u2014 check the full-screen burst above this window.")},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.sample);
        model().setNotificationStyle(c.style);
        model().selectSample(QString::fromUtf8(c.sample));
        model().fireSelected();
        EXPECT_EQ(model().firedMessage(), c.message);
        EXPECT_EQ(model().lastFiredSampleId(), QString::fromUtf8(c.sample));
    }
    // Choosing another tile does not claim it was fired.
    model().selectSample(QStringLiteral("goal"));
    EXPECT_TRUE(model().firedMessage().startsWith(QStringLiteral("Fired new purchase")));
}

TEST_F(OnboardingModelTest, FiringSendsTheSampleThroughTheEngine) {
    EXPECT_EQ(model().firedMessage(), QString());
    model().selectSample(QStringLiteral("refund"));
    model().fireSelected();
    ASSERT_EQ(fired.size(), 1);
    EXPECT_EQ(fired[0].config.message, QStringLiteral("Noooo!"));
    EXPECT_EQ(fired[0].config.sound, SoundEffect::scream);
    EXPECT_EQ(fired[0].subtitle, QStringLiteral("Someone asked for their money back"));
    ASSERT_TRUE(fired[0].details.has_value());
    EXPECT_EQ(fired[0].details->context, ReactionContext::refund);
    ASSERT_EQ(sound.played.size(), 1);

    model().selectSample(QStringLiteral("goal"));
    model().fireSelected();
    ASSERT_EQ(fired.size(), 2);
    ASSERT_TRUE(fired[1].details.has_value());
    EXPECT_EQ(fired[1].details->formattedAmount(), QStringLiteral("$100 / $100"));
    EXPECT_EQ(fired[1].details->metricLabel, QStringLiteral("Revenue today"));

    // An id that matches nothing falls back to the first sample.
    model().selectSample(QStringLiteral("gone"));
    EXPECT_EQ(model().selectedSample().id, QStringLiteral("goal"));
}

TEST_F(OnboardingModelTest, IntroLineAndSettingsOfTheStylePageSaveAtOnce) {
    model().setNotificationStyle(NotificationStyle::subtle);
    model().setReactionAnimationsEnabled(false);
    model().setShowMenuBarMetric(false);
    const AppSettings saved = savedSettings();
    EXPECT_EQ(saved.notificationStyle, NotificationStyle::subtle);
    EXPECT_FALSE(saved.reactionAnimationsEnabled);
    EXPECT_FALSE(saved.showMenuBarMetric);
    EXPECT_TRUE(model().tryIntroLine().startsWith(QStringLiteral("You picked Subtle")));
    model().setNotificationStyle(NotificationStyle::celebration);
    EXPECT_TRUE(model().tryIntroLine().startsWith(QStringLiteral("This is what hits your screen")));
}

TEST_F(OnboardingModelTest, FinishingWithNothingConnectedSavesStartsPollingAndCloses) {
    ASSERT_EQ(state().connectedSourceCount(), 0);
    goTo(OnboardingModel::lastPage);
    model().finish();
    EXPECT_TRUE(state().settings().hasCompletedOnboarding);
    EXPECT_TRUE(completedAfterSave);
    EXPECT_EQ(completions, 1);
    // The first poll ran (nothing to ask) and the next one is scheduled.
    EXPECT_TRUE(state().lastPollAt().has_value());
    EXPECT_EQ(clock.pendingTimers(), 1);
    EXPECT_EQ(clock.nextTimerIn(), std::chrono::milliseconds(30000));
}

TEST_F(OnboardingModelTest, LeavingWithoutFinishingChangesNothing) {
    goTo(OnboardingModel::lastPage);
    model().fireSelected();
    EXPECT_FALSE(savedSettings().hasCompletedOnboarding);
    EXPECT_FALSE(state().lastPollAt().has_value());
    EXPECT_EQ(completions, 0);
}

} // namespace
