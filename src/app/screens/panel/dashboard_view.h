#pragma once

#include "app/screens/panel/dashboard_model.h"

#include <QWidget>
#include <optional>

class AppState;
class DemoSimulator;
class QLabel;
class QVBoxLayout;
class ShellActions;

// The Live tab: demo controls, today's goals, one card per provider, a quick test and the poll status.
class DashboardView : public QWidget {
    Q_OBJECT
public:
    DashboardView(AppState& state, ShellActions& shell, DemoSimulator& demo, QWidget* parent = nullptr);

private:
    void refresh();
    QWidget* buildDemoCard();
    QWidget* buildGoalsCard(const DashboardModel::GoalsOverview& overview);
    QWidget* buildProviderCards(const QList<DashboardModel::ProviderCard>& cards);
    QWidget* buildQuickTestCard();
    void replaceSection(QWidget*& section, QWidget* replacement);

    AppState& m_state;
    ShellActions& m_shell;
    DemoSimulator& m_demo;
    DashboardModel m_model;
    QVBoxLayout* m_layout;
    QWidget* m_demoCard = nullptr;
    QWidget* m_goalsSection = nullptr;
    QWidget* m_cardsSection = nullptr;
    QLabel* m_updated = nullptr;
    QLabel* m_error = nullptr;
    std::optional<DashboardModel::GoalsOverview> m_shownOverview;
    std::optional<QList<DashboardModel::ProviderCard>> m_shownCards;
};
