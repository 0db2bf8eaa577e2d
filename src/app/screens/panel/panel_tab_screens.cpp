#include "app/screens/panel/panel_tab_screens.h"

#include "app/shell/placeholder_screen.h"

QWidget* makeGoalsTab(AppState&, ShellActions&) {
    return new PlaceholderScreen(QStringLiteral("Goals"));
}

QWidget* makeTriggersTab(AppState&, ShellActions&) {
    return new PlaceholderScreen(QStringLiteral("Triggers"));
}

QWidget* makeConnectTab(AppState&, ShellActions&) {
    return new PlaceholderScreen(QStringLiteral("Connect"));
}

QWidget* makeHelpTab(AppState&, ShellActions&) {
    return new PlaceholderScreen(QStringLiteral("Help & FAQ"));
}
