#pragma once

#include "model/integration_provider.h"
#include "model/reaction_config.h"
#include "model/trigger_event_kind.h"

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <QUuid>
#include <optional>

// Fires on every matching event, at most once per cooldown.
struct EventTrigger {
    static constexpr double defaultCooldownSeconds = 3.0;

    QUuid id;
    QString name;
    IntegrationProvider provider = IntegrationProvider::stripe;
    TriggerEventKind eventKind = TriggerEventKind::stripeCharge;
    ReactionConfig reaction;
    bool isEnabled = true;
    double cooldownSeconds = defaultCooldownSeconds;

    bool operator==(const EventTrigger&) const = default;

    // Writes eventKind only; the older stripeEvent key is never written.
    QJsonObject toJson() const;
    // Also reads the older forms: a missing isEnabled/cooldownSeconds takes its default, and the kind comes
    // from eventKind, stripeEvent or the legacy kind names.
    static std::optional<EventTrigger> fromJson(const QJsonValue& value);
};
