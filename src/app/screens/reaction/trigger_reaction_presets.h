#pragma once

#include "app/screens/reaction/reaction_preset.h"
#include "model/reaction_context.h"
#include "model/trigger_event_kind.h"

#include <QList>

// The quick presets a trigger editor offers, chosen by the kind of moment the trigger marks.
namespace TriggerReactionPresets {
// By the event catalog's reaction context of `event`.
QList<ReactionPreset> presets(TriggerEventKind event);
QList<ReactionPreset> presets(ReactionContext context);
} // namespace TriggerReactionPresets
