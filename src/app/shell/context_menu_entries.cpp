#include "app/shell/context_menu_entries.h"

#include <QMenu>

namespace ContextMenuEntries {

QList<Entry> build(bool onboardingCompleted) {
    const Entry separator{true, {}, Action::none, {}, false};
    QList<Entry> entries;
    entries.append({false, QStringLiteral("Zingboard — metrics that zing back"), Action::none, {}, false});
    entries.append(separator);
    if (onboardingCompleted) {
        entries.append({false, QStringLiteral("Show onboarding…"), Action::openOnboarding, {}, true});
        entries.append({false, QStringLiteral("Settings…"), Action::openSettings,
                        QKeySequence(Qt::CTRL | Qt::Key_Comma), true});
        entries.append({false, QStringLiteral("Help & FAQ…"), Action::openHelp, {}, true});
    } else {
        entries.append({false, QStringLiteral("Complete setup…"), Action::openOnboarding, {}, true});
    }
    entries.append(separator);
    entries.append(
        {false, QStringLiteral("Quit Zingboard"), Action::quit, QKeySequence(Qt::CTRL | Qt::Key_Q), true});
    return entries;
}

void fill(QMenu& menu, const QList<Entry>& entries, const std::function<void(Action)>& chosen) {
    menu.clear();
    for (const Entry& entry : entries) {
        if (entry.isSeparator) {
            menu.addSeparator();
            continue;
        }
        // A single "&" would turn the next letter into a mnemonic ("Help & FAQ" read "Help _FAQ").
        QAction* action = menu.addAction(QString(entry.text).replace(QLatin1Char('&'), QStringLiteral("&&")));
        action->setEnabled(entry.enabled);
        action->setShortcut(entry.shortcut);
        if (entry.action != Action::none)
            QObject::connect(action, &QAction::triggered, &menu, [chosen, a = entry.action] { chosen(a); });
    }
}

} // namespace ContextMenuEntries
