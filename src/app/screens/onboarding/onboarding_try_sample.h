#pragma once

#include "engine/reaction_details.h"
#include "model/random_source.h"
#include "model/reaction_config.h"
#include "model/reaction_context.h"

#include <QString>
#include <functional>
#include <optional>

// One reaction the onboarding lets the user fire on their own screen.
struct OnboardingTrySample {
    QString id;
    QString title;
    QString subtitle;
    ReactionConfig reaction;
    ReactionContext context = ReactionContext::test;
    // Made up anew for every firing (the demo purchase and refund pick their figures at random).
    std::function<std::optional<ReactionDetails>(RandomSource&)> details;
};
