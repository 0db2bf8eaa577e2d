#include "app/screens/goals/goals_list_model.h"

#include "app/screens/editing/provider_readiness.h"
#include "app/screens/editing/record_list.h"
#include "engine/app_state.h"
#include "engine/goal_rules.h"
#include "model/goal_formatting.h"

#include <algorithm>

GoalsListModel::GoalsListModel(AppState& state, QObject* parent)
    : QObject(parent), m_state(state), m_undo(state.clock()) {
    connect(&state, &AppState::goalsChanged, this, &GoalsListModel::changed);
    connect(&state, &AppState::snapshotsChanged, this, &GoalsListModel::changed);
    connect(&state, &AppState::settingsChanged, this, &GoalsListModel::changed);
    connect(&state, &AppState::integrationsChanged, this, &GoalsListModel::changed);
    connect(&m_undo, &DeletionUndo::changed, this, &GoalsListModel::changed);
}

QList<GoalCard> GoalsListModel::cards() const {
    QList<GoalCard> result;
    for (const Goal& goal : m_state.goals())
        result.append(card(goal, m_state));
    return result;
}

GoalCard GoalsListModel::card(const Goal& goal, AppState& state) {
    const auto snapshot = state.snapshots().constFind(goal.provider);
    const bool hasValue = snapshot != state.snapshots().constEnd() && snapshot->values.contains(goal.metric);
    const double current = hasValue ? snapshot->values.value(goal.metric) : 0.0;

    GoalCard card;
    card.id = goal.id;
    card.emoji = goal.reaction.emoji;
    card.name = goal.name;
    card.metaLine = IntegrationProviders::displayName(goal.provider) + QString::fromUtf8(" · ") +
                    GoalPeriods::title(goal.period);
    const QString currency = state.currencyCode(goal.provider);
    card.valueText = GoalFormatting::format(current, goal.metric, currency) + QStringLiteral(" / ") +
                     GoalFormatting::format(goal.targetValue, goal.metric, currency);
    card.isEnabled = goal.isEnabled;
    card.isPaused = !goal.isEnabled;
    card.isNotConnected = !ProviderReadiness::isReady(state, goal.provider);
    if (goal.metric == MetricKind::avgPosition) {
        // No position yet is not position 0: positions start at 1, so a missing value must not read as
        // reached.
        const bool known = hasValue && current > 0;
        card.isCrushed = known && current <= goal.targetValue;
        card.fraction = known ? std::clamp(goal.targetValue / current, 0.0, 1.0) : 0.0;
    } else {
        card.isCrushed = current >= goal.targetValue || GoalRules::firedToday(goal, state.clock());
        card.fraction = goal.targetValue > 0 ? std::clamp(current / goal.targetValue, 0.0, 1.0) : 0.0;
    }
    return card;
}

void GoalsListModel::setEnabled(const QUuid& id, bool enabled) {
    QList<Goal> goals = m_state.goals();
    const int index = RecordList::indexOf(goals, id);
    if (index < 0 || goals[index].isEnabled == enabled)
        return;
    goals[index].isEnabled = enabled;
    m_state.setGoals(goals);
    m_state.saveAll();
}

void GoalsListModel::test(const QUuid& id) {
    const int index = RecordList::indexOf(m_state.goals(), id);
    if (index < 0)
        return;
    const Goal goal = m_state.goals().at(index);
    m_state.testReaction(goal.reaction, std::nullopt, std::nullopt, goal, std::nullopt);
}

void GoalsListModel::remove(const QUuid& id) {
    QList<Goal> goals = m_state.goals();
    const int index = RecordList::indexOf(goals, id);
    if (index < 0)
        return;
    const Goal removed = goals.takeAt(index);
    m_state.setGoals(goals);
    m_state.saveAll();
    m_undo.offer(removed.name, [this, index, removed] {
        m_state.setGoals(RecordList::reinsert(m_state.goals(), index, removed));
        m_state.saveAll();
    });
}
