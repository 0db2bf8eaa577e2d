#include "app/shell/app_window_controller.h"
#include "shell_fixture.h"
#include "support/qt_printers.h"
#include "support/recording_shell_actions.h"

#include <QApplication>
#include <QLabel>
#include <QPointer>
#include <QPushButton>

namespace {

// Editors that hand their save and cancel actions to the test instead of showing fields.
class WindowControllerTest : public ShellTest {
protected:
    WindowControllerTest() {
        screens.goalEditor = [this](AppState&, ShellActions&, const Goal&, bool,
                                    std::function<void(const Goal&)> save, std::function<void()> cancel) {
            saveGoal = std::move(save);
            cancelGoal = std::move(cancel);
            return new QLabel(QStringLiteral("goal editor"));
        };
        screens.triggerEditor = [this](AppState&, ShellActions&, const EventTrigger&, bool,
                                       std::function<void(const EventTrigger&)> save, std::function<void()>) {
            saveTrigger = std::move(save);
            return new QLabel(QStringLiteral("trigger editor"));
        };
    }
    void TearDown() override {
        m_windows.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    AppWindowController& windows() {
        if (!m_windows)
            m_windows = std::make_unique<AppWindowController>(state(), shell, screens);
        return *m_windows;
    }
    QStringList goalNames() {
        QStringList names;
        for (const Goal& g : state().goals())
            names.append(g.name);
        return names;
    }

    RecordingShellActions shell;
    WindowScreens screens = WindowScreens::defaults();
    std::function<void(const Goal&)> saveGoal;
    std::function<void()> cancelGoal;
    std::function<void(const EventTrigger&)> saveTrigger;

private:
    std::unique_ptr<AppWindowController> m_windows;
};

TEST_F(WindowControllerTest, EditorTitles) {
    Goal named = makeGoal("Ship it", MetricKind::revenueToday, 10);
    Goal unnamed = makeGoal("", MetricKind::revenueToday, 10);
    const struct {
        const char* name;
        Goal goal;
        bool isNew;
        const char* title;
    } goals[] = {
        {"new goal, whatever its name", named, true, "New Goal"},
        {"existing goal", named, false, "Ship it"},
        {"existing goal without a name", unnamed, false, "Edit Goal"},
    };
    for (const auto& c : goals) {
        windows().showGoalEditor(c.goal, c.isNew);
        EXPECT_EQ(windows().goalEditorWindow()->windowTitle(), QString::fromUtf8(c.title)) << c.name;
    }
    EventTrigger trigger;
    trigger.id = QUuid::createUuid();
    windows().showTriggerEditor(trigger, true);
    EXPECT_EQ(windows().triggerEditorWindow()->windowTitle(), QStringLiteral("New Trigger"));
    windows().showTriggerEditor(trigger, false);
    EXPECT_EQ(windows().triggerEditorWindow()->windowTitle(), QStringLiteral("Edit Trigger"));
    EXPECT_EQ(windows().triggerEditorWindow()->minimumSize(), QSize(680, 560));
}

TEST_F(WindowControllerTest, SaveReplacesInPlaceOrAppends) {
    const Goal first = makeGoal("First", MetricKind::revenueToday, 10);
    const Goal second = makeGoal("Second", MetricKind::revenueToday, 20);
    state().setGoals({first, second});

    Goal edited = first;
    edited.name = QStringLiteral("First, renamed");
    windows().showGoalEditor(first, false);
    QPointer<QWidget> window = windows().goalEditorWindow();
    saveGoal(edited);
    EXPECT_EQ(goalNames(), (QStringList{QStringLiteral("First, renamed"), QStringLiteral("Second")}));
    EXPECT_FALSE(window && window->isVisible());
    EXPECT_EQ(windows().goalEditorWindow(), nullptr);

    const Goal added = makeGoal("Third", MetricKind::revenueToday, 30);
    windows().showGoalEditor(added, true);
    saveGoal(added);
    EXPECT_EQ(goalNames(), (QStringList{QStringLiteral("First, renamed"), QStringLiteral("Second"),
                                        QStringLiteral("Third")}));
    // Saved to the stores, not only in memory.
    ASSERT_TRUE(persistence.decodeGoals().has_value());
    EXPECT_EQ(persistence.decodeGoals()->size(), 3);

    EventTrigger trigger;
    trigger.id = QUuid::createUuid();
    trigger.name = QStringLiteral("Ping");
    const qsizetype triggersBefore = state().triggers().size();
    windows().showTriggerEditor(trigger, true);
    saveTrigger(trigger);
    trigger.name = QStringLiteral("Pong");
    windows().showTriggerEditor(trigger, false);
    saveTrigger(trigger);
    ASSERT_EQ(state().triggers().size(), triggersBefore + 1);
    EXPECT_EQ(state().triggers().last().name, QStringLiteral("Pong"));
}

TEST_F(WindowControllerTest, ANewEditorReplacesTheOpenOneWithoutSavingIt) {
    const Goal first = makeGoal("First", MetricKind::revenueToday, 10);
    state().setGoals({first});
    windows().showGoalEditor(first, false);
    QPointer<QWidget> firstWindow = windows().goalEditorWindow();
    windows().showGoalEditor(makeGoal("Other", MetricKind::revenueToday, 1), true);
    EXPECT_FALSE(firstWindow && firstWindow->isVisible());
    EXPECT_NE(windows().goalEditorWindow(), firstWindow.data());
    EXPECT_TRUE(windows().goalEditorWindow()->isVisible());
    EXPECT_EQ(goalNames(), QStringList{QStringLiteral("First")});

    cancelGoal();
    EXPECT_EQ(windows().goalEditorWindow(), nullptr);
    EXPECT_EQ(goalNames(), QStringList{QStringLiteral("First")});
}

TEST_F(WindowControllerTest, AVisibleWindowIsReusedAClosedOneRebuilt) {
    windows().showSettings();
    QWidget* settings = windows().settingsWindow();
    EXPECT_EQ(settings->windowTitle(), QStringLiteral("Zingboard Settings"));
    EXPECT_EQ(settings->size(), QSize(440, 520));
    windows().showSettings();
    EXPECT_EQ(windows().settingsWindow(), settings);

    settings->close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(windows().settingsWindow(), nullptr);
    windows().showSettings();
    EXPECT_TRUE(windows().settingsWindow()->isVisible());
}

// Onboarding finishes only through "Let's go" on its last page; the window then goes away.
TEST_F(WindowControllerTest, OnboardingCompletesThroughItsLastPage) {
    int completions = 0;
    QObject::connect(&windows(), &AppWindowController::onboardingCompleted, [&] { ++completions; });
    windows().showOnboarding();
    QWidget* window = windows().onboardingWindow();
    EXPECT_EQ(window->windowTitle(), QStringLiteral("Welcome to Zingboard"));
    ASSERT_TRUE(finishOnboarding(window));
    EXPECT_TRUE(state().settings().hasCompletedOnboarding);
    EXPECT_TRUE(persistence.decodeSettings()->hasCompletedOnboarding);
    EXPECT_EQ(completions, 1);
    EXPECT_EQ(windows().onboardingWindow(), nullptr);
}

} // namespace
