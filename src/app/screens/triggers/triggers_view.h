#pragma once

#include "app/screens/triggers/triggers_list_model.h"

#include <QWidget>

class AppState;
class QVBoxLayout;
class ShellActions;

// The panel's Triggers tab: one card per trigger with its switch, Test, Edit and Delete.
class TriggersView final : public QWidget {
    Q_OBJECT
public:
    TriggersView(AppState& state, ShellActions& shell, QWidget* parent = nullptr);

    TriggersListModel& model() { return m_model; }

private:
    void rebuild();
    QWidget* triggerCard(const TriggerCard& card);

    AppState& m_state;
    ShellActions& m_shell;
    TriggersListModel m_model;
    QVBoxLayout* m_listLayout;
    QWidget* m_list = nullptr;
};
