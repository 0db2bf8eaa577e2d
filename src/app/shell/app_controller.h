#pragma once

#include "app/shell/desktop_shell.h"
#include "app/shell/window_screens.h"
#include "model/clock.h"

#include <QObject>
#include <QString>
#include <memory>
#include <optional>

class AppState;
class AppWindowController;
class ConnectSession;
class DemoSimulator;
class FloatingReactionController;
class GoogleConnectFlow;
class RandomSource;
class SoundEngine;
class StatusBarController;
class TrayIcon;

// The desktop program: tray icon, panel, windows and the reaction overlay around the one engine.
class AppController : public QObject {
    Q_OBJECT
public:
    struct Parts {
        AppState& state;
        DemoSimulator& demo;
        Clock& clock;
        RandomSource& random;
        // Absent when there is no audio stack; its mute switch follows the settings elsewhere.
        SoundEngine* sound = nullptr;
        std::unique_ptr<TrayIcon> tray;
        WindowScreens screens = WindowScreens::defaults();
        // The Connect tab's Google sign-in; without it the tab reads as having no Google client.
        GoogleConnectFlow* google = nullptr;
    };
    struct Options {
        // Switches the demo source on before the first poll.
        bool demo = false;
    };

    explicit AppController(Parts parts, QObject* parent = nullptr);
    ~AppController() override;

    // Sounds, tray icon, overlay, subscriptions, polling; onboarding half a second later when it is not
    // completed; the panel as a window when no tray is there to click.
    void launch(Options options);
    // Pushes the engine's menu-bar title to the tray when it changed.
    void syncMenuBar();
    // What a later launch of the program asks for: the panel.
    void reopen();

    ShellActions& shell() { return m_shell; }
    StatusBarController& statusBar() { return *m_statusBar; }
    AppWindowController& windows() { return *m_windows; }
    ConnectSession& connects() { return *m_connects; }
    FloatingReactionController* overlay() const { return m_overlay; }
    QString lastMenuBarTitle() const { return m_lastMenuBarTitle; }

Q_SIGNALS:
    // "Quit Zingboard" or a screen's quit: the caller winds the program down.
    void quitRequested();

private:
    void scheduleMenuBarSync();
    QWidget* makePanel();

    AppState& m_state;
    DemoSimulator& m_demo;
    Clock& m_clock;
    RandomSource& m_random;
    SoundEngine* m_sound;
    std::unique_ptr<TrayIcon> m_tray;
    DesktopShell m_shell;
    // Before the panel and windows, which show its connects.
    std::unique_ptr<ConnectSession> m_connects;
    std::unique_ptr<AppWindowController> m_windows;
    std::unique_ptr<StatusBarController> m_statusBar;
    FloatingReactionController* m_overlay = nullptr;
    std::optional<Clock::TimerId> m_menuBarSync;
    QString m_lastMenuBarTitle;
};
