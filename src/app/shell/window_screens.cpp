#include "app/shell/window_screens.h"

#include "app/shell/placeholder_screen.h"
#include "engine/app_state.h"

WindowScreens WindowScreens::defaults() {
    return {makeOnboardingScreen, makeSettingsScreen, makeGoalEditorScreen, makeTriggerEditorScreen};
}

QWidget* makeOnboardingScreen(AppState& state, ShellActions&, std::function<void()> onComplete) {
    auto* screen = new PlaceholderScreen(QStringLiteral("Welcome to Zingboard"));
    screen->addAction(QStringLiteral("Finish setup"), [&state, onComplete = std::move(onComplete)] {
        AppSettings settings = state.settings();
        settings.hasCompletedOnboarding = true;
        state.setSettings(settings);
        state.saveAll();
        onComplete();
    });
    return screen;
}

QWidget* makeSettingsScreen(AppState&, ShellActions&) {
    return new PlaceholderScreen(QStringLiteral("Settings"));
}

QWidget* makeGoalEditorScreen(AppState&, ShellActions&, const Goal&, bool, std::function<void(const Goal&)>,
                              std::function<void()> onCancel) {
    auto* screen = new PlaceholderScreen(QStringLiteral("Goal editor"));
    screen->addAction(QStringLiteral("Close"), std::move(onCancel));
    return screen;
}

QWidget* makeTriggerEditorScreen(AppState&, ShellActions&, const EventTrigger&, bool,
                                 std::function<void(const EventTrigger&)>, std::function<void()> onCancel) {
    auto* screen = new PlaceholderScreen(QStringLiteral("Trigger editor"));
    screen->addAction(QStringLiteral("Close"), std::move(onCancel));
    return screen;
}
