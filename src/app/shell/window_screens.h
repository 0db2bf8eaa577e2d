#pragma once

#include "model/event_trigger.h"
#include "model/goal.h"

#include <functional>

class AppState;
class QWidget;
class ShellActions;

// The content of the four windows. Each is built by one function here; a screen that is not built yet shows
// a placeholder. Tests replace the functions to drive the window controller without the real screens.
struct WindowScreens {
    // `onComplete` closes the window; the screen marks onboarding completed before calling it.
    std::function<QWidget*(AppState&, ShellActions&, std::function<void()> onComplete)> onboarding;
    std::function<QWidget*(AppState&, ShellActions&)> settings;
    std::function<QWidget*(AppState&, ShellActions&, const Goal& goal, bool isNew,
                           std::function<void(const Goal&)> onSave, std::function<void()> onCancel)>
        goalEditor;
    std::function<QWidget*(AppState&, ShellActions&, const EventTrigger& trigger, bool isNew,
                           std::function<void(const EventTrigger&)> onSave, std::function<void()> onCancel)>
        triggerEditor;

    static WindowScreens defaults();
};

QWidget* makeOnboardingScreen(AppState& state, ShellActions& shell, std::function<void()> onComplete);
QWidget* makeSettingsScreen(AppState& state, ShellActions& shell);
QWidget* makeGoalEditorScreen(AppState& state, ShellActions& shell, const Goal& goal, bool isNew,
                              std::function<void(const Goal&)> onSave, std::function<void()> onCancel);
QWidget* makeTriggerEditorScreen(AppState& state, ShellActions& shell, const EventTrigger& trigger,
                                 bool isNew, std::function<void(const EventTrigger&)> onSave,
                                 std::function<void()> onCancel);
