#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>

// The tray icon's context menu, decided by whether onboarding is completed.
namespace ContextMenuEntries {

enum class Action { none, openOnboarding, openSettings, openHelp, quit };

struct Entry {
    // A separator has no text.
    bool isSeparator = false;
    QString text;
    Action action = Action::none;
    QKeySequence shortcut;
    bool enabled = true;
};

QList<Entry> build(bool onboardingCompleted);

} // namespace ContextMenuEntries
