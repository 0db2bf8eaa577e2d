#include "app/shell/context_menu_entries.h"

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

} // namespace ContextMenuEntries
