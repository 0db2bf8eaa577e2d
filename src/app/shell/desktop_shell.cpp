#include "app/shell/desktop_shell.h"

#include "app/shell/app_window_controller.h"
#include "app/shell/status_bar_controller.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QGuiApplication>

void DesktopShell::attach(StatusBarController* statusBar, AppWindowController* windows) {
    m_statusBar = statusBar;
    m_windows = windows;
}

void DesktopShell::showPopover(std::optional<MenuTab> tab) {
    m_statusBar->showPopover(tab);
}

void DesktopShell::closePopover() {
    m_statusBar->closePopover();
}

void DesktopShell::showOnboarding() {
    m_statusBar->openOnboarding();
}

void DesktopShell::showSettings() {
    m_statusBar->openSettings();
}

void DesktopShell::showGoalEditor(const Goal& goal, bool isNew) {
    m_windows->showGoalEditor(goal, isNew);
}

void DesktopShell::showTriggerEditor(const EventTrigger& trigger, bool isNew) {
    m_windows->showTriggerEditor(trigger, isNew);
}

void DesktopShell::openUrl(const QUrl& url) {
    QDesktopServices::openUrl(url);
}

void DesktopShell::openFolder(const QString& path) {
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopShell::copyToClipboard(const QString& text) {
    if (QClipboard* clipboard = QGuiApplication::clipboard())
        clipboard->setText(text);
}

void DesktopShell::quit() {
    if (m_quit)
        m_quit();
}
