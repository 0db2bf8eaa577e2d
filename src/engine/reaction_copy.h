#pragma once

#include "engine/reaction_details.h"
#include "providers/provider_event.h"

#include <QString>
#include <optional>

// The subtitle and details a trigger's reaction shows for one event.
struct ReactionCopy {
    QString subtitle;
    std::optional<ReactionDetails> details;

    static ReactionCopy forEvent(const ProviderEvent& event);

    friend bool operator==(const ReactionCopy&, const ReactionCopy&) = default;
};
