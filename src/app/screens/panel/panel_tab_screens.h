#pragma once

class AppState;
class ConnectSession;
class QWidget;
class ShellActions;

// The content of the panel's tabs besides the dashboard, one function per tab.
QWidget* makeGoalsTab(AppState& state, ShellActions& shell);
QWidget* makeTriggersTab(AppState& state, ShellActions& shell);
QWidget* makeConnectTab(ConnectSession& session, ShellActions& shell);
QWidget* makeHelpTab(AppState& state, ShellActions& shell);
