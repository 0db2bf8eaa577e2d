#include "app/screens/panel/panel_window.h"
#include "app/shell/app_controller.h"
#include "app/shell/app_window_controller.h"
#include "app/shell/status_bar_controller.h"
#include "fake_tray_icon.h"
#include "shell_fixture.h"
#include "support/qt_printers.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace {

class StatusBarTest : public ShellTest {
protected:
    AppController& app() {
        if (!m_app) {
            auto tray = std::make_unique<FakeTrayIcon>();
            tray->available = trayAvailable;
            m_tray = tray.get();
            m_app = std::make_unique<AppController>(
                AppController::Parts{state(), simulator(), clock, random, nullptr, std::move(tray)});
            m_app->statusBar().install();
        }
        return *m_app;
    }
    FakeTrayIcon& tray() {
        app();
        return *m_tray;
    }
    StatusBarController& bar() { return app().statusBar(); }
    AppWindowController& windows() { return app().windows(); }
    bool onboardingShown() {
        return windows().onboardingWindow() && windows().onboardingWindow()->isVisible();
    }
    bool settingsShown() { return windows().settingsWindow() && windows().settingsWindow()->isVisible(); }

    void TearDown() override {
        m_app.reset();
        // Windows closed during the test are deleted later.
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    bool trayAvailable = true;

private:
    std::unique_ptr<AppController> m_app;
    FakeTrayIcon* m_tray = nullptr;
};

// Every way into the panel or settings leads to onboarding while it is not completed.
TEST_F(StatusBarTest, OnboardingGateOnEveryPath) {
    const struct {
        const char* name;
        std::function<void()> act;
    } paths[] = {
        {"left click", [this] { tray().leftClick(); }},
        {"showPopover", [this] { bar().showPopover(); }},
        {"showPopover on a tab", [this] { app().shell().showPopover(MenuTab::connect); }},
        {"togglePopover", [this] { bar().togglePopover(); }},
        {"settings from the menu", [this] { bar().openSettings(); }},
        {"settings from a screen", [this] { app().shell().showSettings(); }},
        {"help from the menu", [this] { bar().openHelp(); }},
        {"reopen", [this] { app().reopen(); }},
    };
    for (const auto& path : paths) {
        path.act();
        EXPECT_FALSE(bar().isPopoverShown()) << path.name;
        EXPECT_FALSE(settingsShown()) << path.name;
        EXPECT_TRUE(onboardingShown()) << path.name;
        windows().closeAll();
    }

    editSettings([](AppSettings& s) { s.hasCompletedOnboarding = true; });
    tray().leftClick();
    EXPECT_TRUE(bar().isPopoverShown());
    EXPECT_FALSE(onboardingShown());
}

TEST_F(StatusBarTest, ContextMenuInBothStates) {
    EXPECT_EQ(tray().rightClickMenu(),
              (QStringList{QStringLiteral("Zingboard — metrics that zing back (off)"), QStringLiteral("---"),
                           QStringLiteral("Complete setup…"), QStringLiteral("---"),
                           QStringLiteral("Quit Zingboard")}));
    tray().menuAction(QStringLiteral("Complete setup…"))->trigger();
    EXPECT_TRUE(onboardingShown());
    EXPECT_FALSE(bar().isPopoverShown());

    editSettings([](AppSettings& s) { s.hasCompletedOnboarding = true; });
    EXPECT_EQ(tray().rightClickMenu(),
              (QStringList{QStringLiteral("Zingboard — metrics that zing back (off)"), QStringLiteral("---"),
                           QStringLiteral("Show onboarding…"), QStringLiteral("Settings…"),
                           QStringLiteral("Help & FAQ…"), QStringLiteral("---"),
                           QStringLiteral("Quit Zingboard")}));
    // A right click never opens the panel.
    EXPECT_FALSE(bar().isPopoverShown());

    tray().menuAction(QStringLiteral("Help & FAQ…"))->trigger();
    EXPECT_TRUE(bar().isPopoverShown());
    EXPECT_EQ(state().selectedTab(), MenuTab::help);

    tray().menuAction(QStringLiteral("Settings…"))->trigger();
    EXPECT_FALSE(bar().isPopoverShown());
    EXPECT_TRUE(settingsShown());

    int quits = 0;
    QObject::connect(&app(), &AppController::quitRequested, [&] { ++quits; });
    tray().menuAction(QStringLiteral("Quit Zingboard"))->trigger();
    EXPECT_EQ(quits, 1);
}

TEST_F(StatusBarTest, SecondLeftClickClosesAndThirdOpensAFreshPanel) {
    completeOnboarding();
    tray().leftClick();
    ASSERT_TRUE(bar().isPopoverShown());
    QPointer<QWidget> first = bar().popover();
    EXPECT_EQ(first->size(), QSize(360, 560));
    EXPECT_TRUE(first->windowFlags().testFlag(Qt::Popup));

    tray().leftClick();
    EXPECT_FALSE(bar().isPopoverShown());
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(first.isNull());

    state().setSelectedTab(MenuTab::triggers);
    tray().leftClick();
    ASSERT_TRUE(bar().isPopoverShown());
    EXPECT_NE(bar().popover(), first.data());
    EXPECT_EQ(state().selectedTab(), MenuTab::triggers);
}

TEST_F(StatusBarTest, ShowPopoverSelectsTheTabAndKeepsAnOpenPanel) {
    completeOnboarding();
    bar().showPopover();
    QWidget* panel = bar().popover();
    app().shell().showPopover(MenuTab::connect);
    EXPECT_EQ(bar().popover(), panel);
    EXPECT_EQ(state().selectedTab(), MenuTab::connect);
    app().shell().closePopover();
    EXPECT_FALSE(bar().isPopoverShown());
}

TEST_F(StatusBarTest, EscapeClosesThePanel) {
    completeOnboarding();
    tray().leftClick();
    QWidget* panel = bar().popover();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(panel, &escape);
    EXPECT_FALSE(bar().isPopoverShown());
}

TEST_F(StatusBarTest, WithoutATrayThePanelIsANormalWindow) {
    trayAvailable = false;
    completeOnboarding();
    bar().showPopover();
    ASSERT_TRUE(bar().isPopoverShown());
    auto* window = qobject_cast<PanelWindow*>(bar().popover());
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(window->mode(), PanelWindow::Mode::window);
    EXPECT_FALSE(window->windowFlags().testFlag(Qt::Popup));
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Zingboard"));
}

TEST_F(StatusBarTest, TooltipAndBadgeFollowTheTitle) {
    const QString base = QStringLiteral("Zingboard — your metrics, your reactions");
    bar().updateDisplay(QString());
    EXPECT_EQ(tray().toolTip, base);
    const QImage plain = tray().icon.pixmap(22, 22).toImage();

    bar().updateDisplay(QStringLiteral("$85"));
    EXPECT_EQ(tray().toolTip, base + QStringLiteral("\n$85"));
    EXPECT_NE(tray().icon.pixmap(22, 22).toImage(), plain);

    // With the metric switched off there is no title to show, so no badge either.
    editSettings([](AppSettings& s) { s.showMenuBarMetric = false; });
    bar().updateDisplay(QStringLiteral("$85"));
    EXPECT_EQ(tray().icon.pixmap(22, 22).toImage(), plain);
}

} // namespace
