#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>

class QMenu;

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

// Replaces what `menu` holds with `entries`; choosing an entry calls `chosen` with its action.
void fill(QMenu& menu, const QList<Entry>& entries, const std::function<void(Action)>& chosen);

} // namespace ContextMenuEntries
