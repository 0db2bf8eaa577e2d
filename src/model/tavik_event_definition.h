#pragma once

#include "model/integration_provider.h"
#include "model/metric_kind.h"
#include "model/reaction_config.h"
#include "model/reaction_context.h"
#include "model/trigger_event_kind.h"

#include <QString>
#include <optional>

// One row of the event catalog.
struct TavikEventDefinition {
    TriggerEventKind kind = TriggerEventKind::stripeCharge;
    // The event's identifier in the event source's own vocabulary.
    QString tavikId;
    IntegrationProvider provider = IntegrationProvider::stripe;
    QString displayName;
    QString subtitle;
    QString emoji;
    QString defaultTriggerName;
    ReactionConfig defaultReaction;
    ReactionContext reactionContext = ReactionContext::purchase;
    // Set for metric-increase kinds only.
    std::optional<MetricKind> metricKind;
    bool isInstantStripeEvent = false;

    bool operator==(const TavikEventDefinition&) const = default;
};
