#pragma once

#include "app/screens/goals/goals_list_model.h"

#include <QWidget>

class AppState;
class QVBoxLayout;
class ShellActions;

// The panel's Goals tab: the user's goals as cards with their progress, or a start when there are none.
class GoalsView final : public QWidget {
    Q_OBJECT
public:
    GoalsView(AppState& state, ShellActions& shell, QWidget* parent = nullptr);

    GoalsListModel& model() { return m_model; }

private:
    void rebuild();
    QWidget* emptyState();
    QWidget* goalCard(const GoalCard& card);
    void openEditor(const QUuid& id);

    AppState& m_state;
    ShellActions& m_shell;
    GoalsListModel m_model;
    QVBoxLayout* m_listLayout;
    QWidget* m_list = nullptr;
};
