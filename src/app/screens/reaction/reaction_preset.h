#pragma once

#include "model/reaction_config.h"

#include <QString>

// One quick-preset button: its short label and the whole reaction it puts in place.
struct ReactionPreset {
    QString label;
    ReactionConfig config;

    bool operator==(const ReactionPreset&) const = default;

    // The preset tables are written as UTF-8 literals.
    static ReactionPreset fromUtf8(const char* label, const char* emoji, SoundEffect sound,
                                   const char* message) {
        return {QString::fromUtf8(label), {QString::fromUtf8(emoji), sound, QString::fromUtf8(message)}};
    }
};
