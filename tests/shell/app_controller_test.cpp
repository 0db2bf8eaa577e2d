#include "app/screens/panel/panel_window.h"
#include "app/shell/app_controller.h"
#include "app/shell/app_window_controller.h"
#include "app/shell/status_bar_controller.h"
#include "fake_tray_icon.h"
#include "shell_fixture.h"
#include "support/qt_printers.h"

#include <QApplication>
#include <QPushButton>

namespace {

class AppControllerTest : public ShellTest {
protected:
    AppController& launch(bool trayAvailable = true, bool demo = false) {
        auto tray = std::make_unique<FakeTrayIcon>();
        tray->available = trayAvailable;
        m_tray = tray.get();
        m_app = std::make_unique<AppController>(
            AppController::Parts{state(), simulator(), clock, random, nullptr, std::move(tray)});
        m_app->launch({demo});
        return *m_app;
    }
    void TearDown() override {
        m_app.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    FakeTrayIcon& tray() { return *m_tray; }
    bool onboardingShown() {
        return m_app->windows().onboardingWindow() && m_app->windows().onboardingWindow()->isVisible();
    }

private:
    std::unique_ptr<AppController> m_app;
    FakeTrayIcon* m_tray = nullptr;
};

TEST_F(AppControllerTest, FirstLaunchShowsTheIconThenOnboardingHalfASecondLater) {
    AppController& app = launch();
    EXPECT_TRUE(tray().shown);
    EXPECT_FALSE(tray().icon.isNull());
    EXPECT_FALSE(onboardingShown());
    clock.advance(std::chrono::milliseconds(499));
    EXPECT_FALSE(onboardingShown());
    clock.advance(std::chrono::milliseconds(1));
    EXPECT_TRUE(onboardingShown());
    EXPECT_FALSE(app.statusBar().isPopoverShown());
}

TEST_F(AppControllerTest, ALaterLaunchOpensNothingButTheIcon) {
    completeOnboarding();
    AppController& app = launch();
    clock.advance(std::chrono::seconds(1));
    EXPECT_FALSE(onboardingShown());
    EXPECT_FALSE(app.statusBar().isPopoverShown());
    EXPECT_TRUE(state().isPolling() || state().lastPollAt().has_value());
}

TEST_F(AppControllerTest, MenuBarTitleSyncIsDebounced) {
    completeOnboarding();
    storeSettings([](AppSettings& s) {
        s.hasCompletedOnboarding = true;
        s.demoModeEnabled = true;
    });
    demo.setStandingMetrics({{MetricKind::revenueToday, 85}});
    AppController& app = launch();
    // The first poll runs at launch and the title is pushed at once.
    EXPECT_EQ(app.lastMenuBarTitle(), QStringLiteral("$85"));
    EXPECT_TRUE(tray().toolTip.endsWith(QStringLiteral("\n$85")));

    editSettings([](AppSettings& s) { s.preferredMenuBarMetric = MetricKind::purchaseCountToday; });
    clock.advance(std::chrono::milliseconds(50));
    editSettings([](AppSettings& s) { s.showMenuBarMetric = false; });
    clock.advance(std::chrono::milliseconds(79));
    EXPECT_EQ(app.lastMenuBarTitle(), QStringLiteral("$85"));
    clock.advance(std::chrono::milliseconds(1));
    EXPECT_EQ(app.lastMenuBarTitle(), QString());
    EXPECT_FALSE(tray().toolTip.contains(QLatin1Char('\n')));
}

TEST_F(AppControllerTest, WithoutATrayThePanelIsAWindowAtStartAndAfterOnboarding) {
    completeOnboarding();
    AppController& app = launch(false);
    ASSERT_TRUE(app.statusBar().isPopoverShown());
    EXPECT_EQ(app.statusBar().popover()->windowTitle(), QStringLiteral("Zingboard"));
    app.statusBar().closePopover();
    app.reopen();
    EXPECT_TRUE(app.statusBar().isPopoverShown());
}

TEST_F(AppControllerTest, WithoutATrayFinishingOnboardingOpensThePanel) {
    AppController& app = launch(false);
    EXPECT_FALSE(app.statusBar().isPopoverShown());
    clock.advance(std::chrono::milliseconds(500));
    ASSERT_TRUE(onboardingShown());
    ASSERT_TRUE(finishOnboarding(app.windows().onboardingWindow()));
    EXPECT_TRUE(app.statusBar().isPopoverShown());
}

TEST_F(AppControllerTest, DemoFlagSwitchesTheDemoSourceOnBeforeTheFirstPoll) {
    completeOnboarding();
    demo.setStandingMetrics({{MetricKind::revenueToday, 5}});
    launch(true, true);
    EXPECT_TRUE(state().settings().demoModeEnabled);
    EXPECT_EQ(demo.metricsCalls(), 1);
}

} // namespace
