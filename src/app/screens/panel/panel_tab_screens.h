#pragma once

class AppState;
class QWidget;
class ShellActions;

// The content of the panel's tabs besides the dashboard, one function per tab. A tab whose screen is not
// built yet shows a placeholder.
QWidget* makeGoalsTab(AppState& state, ShellActions& shell);
QWidget* makeTriggersTab(AppState& state, ShellActions& shell);
QWidget* makeConnectTab(AppState& state, ShellActions& shell);
QWidget* makeHelpTab(AppState& state, ShellActions& shell);
