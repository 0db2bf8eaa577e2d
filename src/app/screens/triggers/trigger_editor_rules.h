#pragma once

#include "model/event_trigger.h"
#include "model/reaction_context.h"

#include <QList>
#include <QString>

namespace TriggerEditorRules {

QList<QString> suggestedEmojis(ReactionContext context);
// The kind itself when the provider reports it, else the provider's first kind.
TriggerEventKind normalisedKind(IntegrationProvider provider, TriggerEventKind kind);
// "36 event types across all providers."
QString catalogCountText();
// "12s between fires"
QString cooldownText(double seconds);
// A fresh trigger for the add button: the first default trigger under a new id.
EventTrigger newTrigger();

} // namespace TriggerEditorRules
