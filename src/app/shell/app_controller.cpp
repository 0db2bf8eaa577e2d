#include "app/shell/app_controller.h"

#include "app/screens/connect/connect_session.h"
#include "app/screens/panel/menu_bar_panel_view.h"
#include "app/shell/app_window_controller.h"
#include "app/shell/status_bar_controller.h"
#include "app/shell/tray_icon.h"
#include "engine/app_state.h"
#include "reactions/floating_reaction_controller.h"
#include "reactions/floating_reaction_view.h"
#include "reactions/sound_engine.h"

namespace {

constexpr std::chrono::milliseconds kMenuBarDebounce(80);
constexpr std::chrono::milliseconds kOnboardingDelay(500);

} // namespace

AppController::AppController(Parts parts, QObject* parent)
    : QObject(parent), m_state(parts.state), m_demo(parts.demo), m_clock(parts.clock), m_random(parts.random),
      m_sound(parts.sound), m_tray(std::move(parts.tray)) {
    m_connects = std::make_unique<ConnectSession>(m_state, parts.google);
    m_windows = std::make_unique<AppWindowController>(m_state, m_shell, std::move(parts.screens));
    m_statusBar =
        std::make_unique<StatusBarController>(m_state, *m_tray, *m_windows, [this] { return makePanel(); });
    m_shell.attach(m_statusBar.get(), m_windows.get());
    m_shell.setQuitHandler([this] { Q_EMIT quitRequested(); });
    connect(m_statusBar.get(), &StatusBarController::quitRequested, this, &AppController::quitRequested);
    // Without a tray, finishing onboarding would leave nothing on screen.
    connect(m_windows.get(), &AppWindowController::onboardingCompleted, this, [this] {
        if (!m_tray->isAvailable())
            m_statusBar->showPopover();
    });
}

AppController::~AppController() {
    if (m_menuBarSync)
        m_clock.cancel(*m_menuBarSync);
    m_statusBar.reset();
    m_windows.reset();
}

QWidget* AppController::makePanel() {
    return new MenuBarPanelView(m_state, m_shell, m_demo, *m_connects);
}

void AppController::launch(Options options) {
    if (m_sound) {
        m_sound->preload();
        m_sound->setMuted(m_state.settings().soundsMuted);
    }
    m_statusBar->install();

    // The overlay window itself is made when the first reaction needs it.
    m_overlay = new FloatingReactionController(
        m_state.reactionStore(),
        [this] {
            return OverlaySettings{m_state.settings().notificationStyle,
                                   m_state.settings().reactionAnimationsEnabled};
        },
        m_clock, m_random, this);
    m_overlay->attach();
    connect(&m_state, &AppState::settingsChanged, m_overlay, &FloatingReactionController::settingsChanged);
    connect(&m_state, &AppState::snapshotsChanged, this, &AppController::scheduleMenuBarSync);
    connect(&m_state, &AppState::settingsChanged, this, &AppController::scheduleMenuBarSync);

    if (options.demo)
        m_state.setDemoModeEnabled(true);
    m_state.startPolling();
    syncMenuBar();

    if (!m_state.settings().hasCompletedOnboarding)
        m_clock.callAfter(kOnboardingDelay, this, [this] { m_windows->showOnboarding(); });
    else if (!m_tray->isAvailable())
        m_statusBar->showPopover();
}

void AppController::reopen() {
    m_statusBar->showPopover();
}

void AppController::scheduleMenuBarSync() {
    if (m_menuBarSync)
        m_clock.cancel(*m_menuBarSync);
    m_menuBarSync = m_clock.callAfter(kMenuBarDebounce, this, [this] {
        m_menuBarSync.reset();
        syncMenuBar();
    });
}

void AppController::syncMenuBar() {
    const QString title = m_state.menuBarTitle();
    if (title == m_lastMenuBarTitle)
        return;
    m_lastMenuBarTitle = title;
    m_statusBar->updateDisplay(title);
}
