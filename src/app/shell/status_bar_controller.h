#pragma once

#include "engine/menu_tab.h"

#include <QIcon>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <memory>
#include <optional>

class AppState;
class AppWindowController;
class QMenu;
class TrayIcon;

// The tray icon, its context menu and the panel. Without a tray host the panel opens as a normal window, so
// the program is never invisible.
class StatusBarController : public QObject {
    Q_OBJECT
public:
    // Builds the panel's content; a fresh one for every opening.
    using PanelFactory = std::function<QWidget*()>;

    StatusBarController(AppState& state, TrayIcon& tray, AppWindowController& windows, PanelFactory panel,
                        QObject* parent = nullptr);
    ~StatusBarController() override;

    // Gives the tray its icon, tooltip and menu and shows it.
    void install();
    // Icon badge and tooltip for `title`; without one, the engine's current menu-bar title.
    void updateDisplay(std::optional<QString> title = std::nullopt);

    // A left click: closes an open panel, else opens it (or onboarding).
    void togglePopover();
    void showPopover(std::optional<MenuTab> tab = std::nullopt);
    void closePopover();
    bool isPopoverShown() const;
    // The open panel's window, if any.
    QWidget* popover() const { return m_popover; }

    // True once onboarding is completed; otherwise closes the panel, shows onboarding and answers false.
    bool requireAppReady();

    void openOnboarding();
    void openSettings();
    void openHelp();

    // The context menu as it stands now (rebuilt before every showing).
    QMenu* contextMenu() const { return m_menu.get(); }
    void rebuildContextMenu();
    QString toolTip() const { return m_toolTip; }
    QIcon icon() const { return m_icon; }

Q_SIGNALS:
    void quitRequested();

private:
    void presentPopover();

    AppState& m_state;
    TrayIcon& m_tray;
    AppWindowController& m_windows;
    PanelFactory m_panelFactory;
    std::unique_ptr<QMenu> m_menu;
    QPointer<QWidget> m_popover;
    QIcon m_logo;
    QIcon m_icon;
    QString m_toolTip;
};
