#pragma once

#include "app/shell/window_screens.h"

#include <QObject>
#include <QPointer>
#include <QSize>
#include <QWidget>

class AppState;
class ShellActions;

// The four windows beside the panel: onboarding, settings and the two editors. A window that is closed is
// dropped; the next request builds a fresh one.
class AppWindowController : public QObject {
    Q_OBJECT
public:
    AppWindowController(AppState& state, ShellActions& shell, WindowScreens screens,
                        QObject* parent = nullptr);
    ~AppWindowController() override;

    // Brings the visible window to the front, or builds a new one.
    void showOnboarding();
    void showSettings();
    // Closes any open editor of that kind without saving it, then opens one for the record.
    void showGoalEditor(const Goal& goal, bool isNew);
    void showTriggerEditor(const EventTrigger& trigger, bool isNew);
    // Closes every window (quitting).
    void closeAll();

    QWidget* onboardingWindow() const { return m_onboarding; }
    QWidget* settingsWindow() const { return m_settings; }
    QWidget* goalEditorWindow() const { return m_goalEditor; }
    QWidget* triggerEditorWindow() const { return m_triggerEditor; }

Q_SIGNALS:
    void onboardingCompleted();

private:
    struct Frame {
        QSize size;
        QSize minimumSize;
        QString title;
    };
    QWidget* makeWindow(QWidget* content, const Frame& frame);
    static void bringToFront(QWidget* window, bool centre);
    static void dismiss(QPointer<QWidget>& window);

    AppState& m_state;
    ShellActions& m_shell;
    WindowScreens m_screens;
    QPointer<QWidget> m_onboarding;
    QPointer<QWidget> m_settings;
    QPointer<QWidget> m_goalEditor;
    QPointer<QWidget> m_triggerEditor;
};
