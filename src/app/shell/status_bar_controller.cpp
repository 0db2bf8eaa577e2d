#include "app/shell/status_bar_controller.h"

#include "app/components/zing_artwork.h"
#include "app/screens/panel/panel_placement.h"
#include "app/screens/panel/panel_window.h"
#include "app/shell/app_window_controller.h"
#include "app/shell/context_menu_entries.h"
#include "app/shell/tray_badge.h"
#include "app/shell/tray_icon.h"
#include "engine/app_state.h"

#include <QCursor>
#include <QGuiApplication>
#include <QMenu>
#include <QScreen>

namespace {

const QSize kPanelSize(360, 560);

} // namespace

StatusBarController::StatusBarController(AppState& state, TrayIcon& tray, AppWindowController& windows,
                                         PanelFactory panel, QObject* parent)
    : QObject(parent), m_state(state), m_tray(tray), m_windows(windows), m_panelFactory(std::move(panel)),
      m_menu(std::make_unique<QMenu>()), m_logo(ZingArtwork::icon(QStringLiteral("Logo"))) {
    connect(m_menu.get(), &QMenu::aboutToShow, this, &StatusBarController::rebuildContextMenu);
    connect(&m_tray, &TrayIcon::activated, this, &StatusBarController::togglePopover);
}

StatusBarController::~StatusBarController() {
    closePopover();
}

void StatusBarController::install() {
    rebuildContextMenu();
    m_tray.setContextMenu(m_menu.get());
    updateDisplay();
    m_tray.show();
}

void StatusBarController::updateDisplay(std::optional<QString> title) {
    const QString text = title ? *title : m_state.menuBarTitle();
    const bool badge = m_state.settings().showMenuBarMetric && !text.isEmpty();
    m_icon = TrayBadge::icon(m_logo, badge ? TrayBadge::compactText(text) : QString());
    m_toolTip = QStringLiteral("Zingboard — your metrics, your reactions");
    if (!text.isEmpty())
        m_toolTip += QLatin1Char('\n') + text;
    m_tray.setIcon(m_icon);
    m_tray.setToolTip(m_toolTip);
}

void StatusBarController::togglePopover() {
    if (isPopoverShown()) {
        closePopover();
        return;
    }
    if (requireAppReady())
        presentPopover();
}

void StatusBarController::showPopover(std::optional<MenuTab> tab) {
    if (tab)
        m_state.setSelectedTab(*tab);
    if (isPopoverShown()) {
        m_popover->raise();
        m_popover->activateWindow();
        return;
    }
    if (requireAppReady())
        presentPopover();
}

void StatusBarController::closePopover() {
    if (m_popover)
        m_popover->close();
    m_popover.clear();
}

bool StatusBarController::isPopoverShown() const {
    return m_popover && m_popover->isVisible();
}

bool StatusBarController::requireAppReady() {
    if (m_state.settings().hasCompletedOnboarding)
        return true;
    closePopover();
    m_windows.showOnboarding();
    return false;
}

void StatusBarController::openOnboarding() {
    closePopover();
    m_windows.showOnboarding();
}

void StatusBarController::openSettings() {
    closePopover();
    if (requireAppReady())
        m_windows.showSettings();
}

void StatusBarController::openHelp() {
    if (requireAppReady())
        showPopover(MenuTab::help);
}

void StatusBarController::rebuildContextMenu() {
    ContextMenuEntries::fill(*m_menu, ContextMenuEntries::build(m_state.settings().hasCompletedOnboarding),
                             [this](ContextMenuEntries::Action action) {
                                 switch (action) {
                                 case ContextMenuEntries::Action::none:
                                     break;
                                 case ContextMenuEntries::Action::openOnboarding:
                                     openOnboarding();
                                     break;
                                 case ContextMenuEntries::Action::openSettings:
                                     openSettings();
                                     break;
                                 case ContextMenuEntries::Action::openHelp:
                                     openHelp();
                                     break;
                                 case ContextMenuEntries::Action::quit:
                                     Q_EMIT quitRequested();
                                     break;
                                 }
                             });
}

void StatusBarController::presentPopover() {
    // A tray that nobody can see gets a normal window instead of a popup that closes at the first click.
    const bool asPopup = m_tray.isAvailable();
    auto* window =
        new PanelWindow(m_panelFactory(), asPopup ? PanelWindow::Mode::popup : PanelWindow::Mode::window);
    window->resize(kPanelSize);
    if (asPopup) {
        const QPoint pointer = QCursor::pos();
        const QRect tray = m_tray.geometry();
        QScreen* screen = QGuiApplication::screenAt(tray.isEmpty() ? pointer : tray.center());
        if (!screen)
            screen = QGuiApplication::primaryScreen();
        if (screen)
            window->move(PanelPlacement::topLeft(kPanelSize, tray, pointer, screen->availableGeometry()));
    } else if (QScreen* screen = QGuiApplication::primaryScreen()) {
        QRect frame(QPoint(), kPanelSize);
        frame.moveCenter(screen->availableGeometry().center());
        window->move(frame.topLeft());
    }
    m_popover = window;
    window->show();
    window->raise();
    window->activateWindow();
}
