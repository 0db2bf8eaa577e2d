#include "app/screens/panel/panel_tab_screens.h"

#include "app/screens/connect/integrations_view.h"
#include "app/screens/goals/goals_view.h"
#include "app/screens/help/help_view.h"
#include "app/screens/triggers/triggers_view.h"

QWidget* makeGoalsTab(AppState& state, ShellActions& shell) {
    return new GoalsView(state, shell);
}

QWidget* makeTriggersTab(AppState& state, ShellActions& shell) {
    return new TriggersView(state, shell);
}

QWidget* makeConnectTab(ConnectSession& session, ShellActions& shell) {
    return new IntegrationsView(session, shell);
}

QWidget* makeHelpTab(AppState& state, ShellActions& shell) {
    return new HelpView(state, shell);
}
