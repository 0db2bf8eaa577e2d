#include "app/screens/connect/connect_session.h"
#include "app/screens/panel/dashboard_view.h"
#include "app/screens/panel/menu_bar_panel_view.h"
#include "providers/provider_error.h"
#include "shell_fixture.h"
#include "support/qt_printers.h"
#include "support/recording_shell_actions.h"

#include "app/components/zing_tab_button.h"
#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QPushButton>

namespace {

class PanelViewTest : public ShellTest {
protected:
    MenuBarPanelView& panel() {
        if (!m_panel) {
            m_connects = std::make_unique<ConnectSession>(state());
            m_panel = std::make_unique<MenuBarPanelView>(state(), shell, simulator(), *m_connects);
            m_panel->resize(360, 560);
            m_panel->show();
        }
        return *m_panel;
    }
    QAction* moreAction(const char* name) {
        return panel().moreMenu()->findChild<QAction*>(QString::fromLatin1(name));
    }
    template <typename T> T* find(const char* name) {
        return panel().findChild<T*>(QString::fromLatin1(name));
    }
    void TearDown() override {
        m_panel.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    RecordingShellActions shell;

private:
    std::unique_ptr<ConnectSession> m_connects;
    std::unique_ptr<MenuBarPanelView> m_panel;
};

TEST_F(PanelViewTest, HelpIsReachedThroughMoreAndLeftThroughAnyTab) {
    EXPECT_FALSE(panel().moreButton()->isSelected());
    panel().moreButton()->click();
    EXPECT_TRUE(panel().moreMenu()->isVisible());
    // Opening the menu alone does not make the dots active.
    EXPECT_FALSE(panel().moreButton()->isSelected());
    moreAction("moreHelp")->trigger();
    panel().moreMenu()->hide();

    EXPECT_EQ(state().selectedTab(), MenuTab::help);
    EXPECT_TRUE(panel().moreButton()->isSelected());
    for (MenuTab tab : MenuTabs::mainTabs())
        EXPECT_FALSE(panel().tabButton(tab)->isSelected()) << MenuTabs::rawValue(tab).toStdString();

    panel().tabButton(MenuTab::triggers)->click();
    EXPECT_EQ(state().selectedTab(), MenuTab::triggers);
    EXPECT_FALSE(panel().moreButton()->isSelected());
    EXPECT_TRUE(panel().tabButton(MenuTab::triggers)->isSelected());

    moreAction("moreSettings")->trigger();
    EXPECT_EQ(shell.calls, QStringList{QStringLiteral("showSettings")});
}

TEST_F(PanelViewTest, TabsSwapTheContentAndTheDashboardComesBack) {
    EXPECT_NE(qobject_cast<DashboardView*>(panel().currentContent()), nullptr);
    panel().tabButton(MenuTab::goals)->click();
    EXPECT_EQ(qobject_cast<DashboardView*>(panel().currentContent()), nullptr);
    panel().tabButton(MenuTab::dashboard)->click();
    EXPECT_NE(qobject_cast<DashboardView*>(panel().currentContent()), nullptr);
}

TEST_F(PanelViewTest, DashboardButtons) {
    storeSettings([](AppSettings& s) { s.demoModeEnabled = true; });
    persistence.encodeGoals({});
    EXPECT_TRUE(find<QWidget>("demoCard")->isVisible());
    const qsizetype before = state().reactionStore().reactions().size();
    find<QPushButton>("simulatePurchase")->click();
    find<QPushButton>("simulateRefund")->click();
    find<QPushButton>("testReaction")->click();
    QStringList messages;
    for (const ActiveReaction& r : state().reactionStore().reactions().mid(before))
        messages.append(r.config.message);
    EXPECT_EQ(messages, (QStringList{QStringLiteral("New purchase!"), QStringLiteral("Refund!"),
                                     QStringLiteral("Test zing!")}));

    // No today goal: the empty state's button leads to the goals tab.
    find<QPushButton>("addGoal")->click();
    EXPECT_EQ(state().selectedTab(), MenuTab::goals);

    editSettings([](AppSettings& s) { s.demoModeEnabled = false; });
    panel().tabButton(MenuTab::dashboard)->click();
    EXPECT_FALSE(find<QWidget>("demoCard")->isVisible());
}

TEST_F(PanelViewTest, PollErrorShowsUnderTheCardsUntilAPollSucceeds) {
    connectStripe();
    panel();
    EXPECT_FALSE(find<QLabel>("pollError")->isVisible());
    stripe.queueMetricsError(
        std::make_exception_ptr(ProviderError::apiError(QStringLiteral("Key went away"))));
    stripe.setStandingMetrics({{MetricKind::totalRevenue, 3}});
    poll();
    EXPECT_TRUE(find<QLabel>("pollError")->isVisible());
    EXPECT_TRUE(find<QLabel>("pollError")->text().contains(QStringLiteral("Key went away")));
    EXPECT_TRUE(find<QLabel>("pollUpdated")->text().startsWith(QStringLiteral("Updated ")));
    poll();
    EXPECT_FALSE(find<QLabel>("pollError")->isVisible());
}

TEST_F(PanelViewTest, TabOrderRunsFromTheDotsThroughTheTabsIntoTheContent) {
    panel().activateWindow();
    panel().moreButton()->setFocus();
    QStringList order;
    QWidget* focus = panel().moreButton();
    for (int i = 0; i < 6; ++i) {
        order.append(focus->objectName());
        focus = focus->nextInFocusChain();
        while (!(focus->focusPolicy() & Qt::TabFocus) || !focus->isVisibleTo(&panel()))
            focus = focus->nextInFocusChain();
    }
    EXPECT_EQ(order.mid(0, 5), (QStringList{QStringLiteral("moreButton"), QStringLiteral("tab_dashboard"),
                                            QStringLiteral("tab_goals"), QStringLiteral("tab_triggers"),
                                            QStringLiteral("tab_connect")}));
}

} // namespace
