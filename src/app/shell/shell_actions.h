#pragma once

#include "engine/menu_tab.h"
#include "model/event_trigger.h"
#include "model/goal.h"

#include <QString>
#include <QUrl>
#include <optional>

// What a screen may ask of the desktop shell: panel and windows, the browser and the file manager. Screens
// get it by reference, so tests hand them a recording fake instead of a tray.
class ShellActions {
public:
    virtual ~ShellActions() = default;

    // Opens the panel (or onboarding, while it is not completed), first selecting `tab` when given.
    virtual void showPopover(std::optional<MenuTab> tab = std::nullopt) = 0;
    virtual void closePopover() = 0;
    virtual void showOnboarding() = 0;
    virtual void showSettings() = 0;
    // Closes any open editor of that kind first; saving replaces the record by id or appends it.
    virtual void showGoalEditor(const Goal& goal, bool isNew) = 0;
    virtual void showTriggerEditor(const EventTrigger& trigger, bool isNew) = 0;

    virtual void openUrl(const QUrl& url) = 0;
    // Opens a folder in the file manager.
    virtual void openFolder(const QString& path) = 0;
    virtual void copyToClipboard(const QString& text) = 0;
    virtual void quit() = 0;
};
