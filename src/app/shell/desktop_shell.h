#pragma once

#include "app/shell/shell_actions.h"

#include <functional>

class AppWindowController;
class StatusBarController;

// ShellActions on the desktop: the panel and windows through their controllers, the browser, the file
// manager and the clipboard through Qt.
class DesktopShell final : public ShellActions {
public:
    // The controllers need the shell to build screens, so they are attached after construction.
    void attach(StatusBarController* statusBar, AppWindowController* windows);
    void setQuitHandler(std::function<void()> quit) { m_quit = std::move(quit); }

    void showPopover(std::optional<MenuTab> tab = std::nullopt) override;
    void closePopover() override;
    void showOnboarding() override;
    void showSettings() override;
    void showGoalEditor(const Goal& goal, bool isNew) override;
    void showTriggerEditor(const EventTrigger& trigger, bool isNew) override;
    void openUrl(const QUrl& url) override;
    void openFolder(const QString& path) override;
    void copyToClipboard(const QString& text) override;
    void quit() override;

private:
    StatusBarController* m_statusBar = nullptr;
    AppWindowController* m_windows = nullptr;
    std::function<void()> m_quit;
};
