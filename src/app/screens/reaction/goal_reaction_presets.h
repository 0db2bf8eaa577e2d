#pragma once

#include "app/screens/reaction/reaction_preset.h"
#include "model/metric_kind.h"

#include <QList>

// The quick presets a goal editor offers, chosen by the goal's metric.
namespace GoalReactionPresets {
QList<ReactionPreset> presets(MetricKind metric);
} // namespace GoalReactionPresets
