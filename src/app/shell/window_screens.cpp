#include "app/shell/window_screens.h"

#include "app/screens/goals/goal_editor_sheet.h"
#include "app/screens/onboarding/onboarding_view.h"
#include "app/screens/settings/settings_view.h"
#include "app/screens/triggers/trigger_editor_sheet.h"
#include "engine/app_state.h"

WindowScreens WindowScreens::defaults() {
    return {makeOnboardingScreen, makeSettingsScreen, makeGoalEditorScreen, makeTriggerEditorScreen};
}

QWidget* makeOnboardingScreen(AppState& state, ShellActions& shell, std::function<void()> onComplete) {
    return new OnboardingView(state, shell, std::move(onComplete));
}

QWidget* makeSettingsScreen(AppState& state, ShellActions& shell) {
    return new SettingsView(state, shell);
}

QWidget* makeGoalEditorScreen(AppState& state, ShellActions& shell, const Goal& goal, bool isNew,
                              std::function<void(const Goal&)> onSave, std::function<void()> onCancel) {
    return new GoalEditorSheet(state, shell, goal, isNew, std::move(onSave), std::move(onCancel));
}

QWidget* makeTriggerEditorScreen(AppState& state, ShellActions& shell, const EventTrigger& trigger,
                                 bool isNew, std::function<void(const EventTrigger&)> onSave,
                                 std::function<void()> onCancel) {
    return new TriggerEditorSheet(state, shell, trigger, isNew, std::move(onSave), std::move(onCancel));
}
