#include "app/screens/panel/panel_tab_screens.h"

#include "app/screens/goals/goals_view.h"
#include "app/screens/help/help_view.h"
#include "app/screens/triggers/triggers_view.h"
#include "app/shell/placeholder_screen.h"

QWidget* makeGoalsTab(AppState& state, ShellActions& shell) {
    return new GoalsView(state, shell);
}

QWidget* makeTriggersTab(AppState& state, ShellActions& shell) {
    return new TriggersView(state, shell);
}

// The connect screens are not built yet; the command line connects the sources meanwhile.
QWidget* makeConnectTab(AppState&, ShellActions&) {
    return new PlaceholderScreen(QStringLiteral("Connect"));
}

QWidget* makeHelpTab(AppState& state, ShellActions& shell) {
    return new HelpView(state, shell);
}
