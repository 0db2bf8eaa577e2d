#pragma once

#include "model/reaction_config.h"

#include <QString>

// One quick-preset button: its short label and the whole reaction it puts in place.
struct ReactionPreset {
    QString label;
    ReactionConfig config;

    bool operator==(const ReactionPreset&) const = default;
};
