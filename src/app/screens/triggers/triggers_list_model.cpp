#include "app/screens/triggers/triggers_list_model.h"

#include "app/screens/editing/provider_readiness.h"
#include "app/screens/editing/record_list.h"
#include "engine/app_state.h"
#include "model/tavik_event_catalog.h"

TriggersListModel::TriggersListModel(AppState& state, QObject* parent)
    : QObject(parent), m_state(state), m_undo(state.clock()) {
    connect(&state, &AppState::triggersChanged, this, &TriggersListModel::changed);
    connect(&state, &AppState::settingsChanged, this, &TriggersListModel::changed);
    connect(&state, &AppState::integrationsChanged, this, &TriggersListModel::changed);
    connect(&m_undo, &DeletionUndo::changed, this, &TriggersListModel::changed);
}

QList<TriggerCard> TriggersListModel::cards() const {
    QList<TriggerCard> result;
    for (const EventTrigger& trigger : m_state.triggers()) {
        TriggerCard card;
        card.id = trigger.id;
        card.emoji = trigger.reaction.emoji;
        card.name = trigger.name;
        card.detailLine = IntegrationProviders::displayName(trigger.provider) + QString::fromUtf8(" · ") +
                          TavikEventCatalog::definition(trigger.eventKind).displayName;
        card.isOffline = !ProviderReadiness::isReady(m_state, trigger.provider);
        card.isEnabled = trigger.isEnabled;
        result.append(card);
    }
    return result;
}

void TriggersListModel::setEnabled(const QUuid& id, bool enabled) {
    QList<EventTrigger> triggers = m_state.triggers();
    const int index = RecordList::indexOf(triggers, id);
    if (index < 0 || triggers[index].isEnabled == enabled)
        return;
    triggers[index].isEnabled = enabled;
    m_state.setTriggers(triggers);
    m_state.saveAll();
}

void TriggersListModel::test(const QUuid& id) {
    const int index = RecordList::indexOf(m_state.triggers(), id);
    if (index < 0)
        return;
    const EventTrigger trigger = m_state.triggers().at(index);
    m_state.testReaction(trigger.reaction, std::nullopt, std::nullopt, std::nullopt, trigger);
}

void TriggersListModel::remove(const QUuid& id) {
    QList<EventTrigger> triggers = m_state.triggers();
    const int index = RecordList::indexOf(triggers, id);
    if (index < 0)
        return;
    const EventTrigger removed = triggers.takeAt(index);
    m_state.setTriggers(triggers);
    m_state.saveAll();
    m_undo.offer(removed.name, [this, index, removed] {
        m_state.setTriggers(RecordList::reinsert(m_state.triggers(), index, removed));
        m_state.saveAll();
    });
}
