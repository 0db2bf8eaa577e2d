#include "model/event_trigger.h"

#include "model/json_conventions.h"
#include "model/stripe_event_kind.h"
#include "model/tavik_event_catalog.h"

using namespace JsonConventions;

namespace {

bool isMissing(const QJsonValue& value) {
    return value.isUndefined() || value.isNull();
}

// Older versions stored the kind in several ways; the first form that applies wins.
std::optional<TriggerEventKind> readEventKind(const QJsonObject& object) {
    const QJsonValue eventKind = object.value(QStringLiteral("eventKind"));
    const QJsonValue stripeEvent = object.value(QStringLiteral("stripeEvent"));
    if (!isMissing(eventKind) && !eventKind.isString())
        return std::nullopt;

    if (eventKind.isString()) {
        if (const auto current = TriggerEventKinds::fromRawValue(eventKind.toString()))
            return current;
    }
    if (!isMissing(stripeEvent)) {
        const auto legacy =
            stripeEvent.isString() ? StripeEventKinds::fromRawValue(stripeEvent.toString()) : std::nullopt;
        if (!legacy)
            return std::nullopt;
        return *legacy == StripeEventKind::refund ? TriggerEventKind::stripeRefund
                                                  : TriggerEventKind::stripeCharge;
    }
    if (eventKind.isString())
        return TavikEventCatalog::migrateLegacyKind(eventKind.toString())
            .value_or(TriggerEventKind::stripeCharge);
    return TriggerEventKind::stripeCharge;
}

} // namespace

QJsonObject EventTrigger::toJson() const {
    QJsonObject object;
    object.insert(QStringLiteral("id"), encodeUuid(id));
    object.insert(QStringLiteral("name"), name);
    object.insert(QStringLiteral("provider"), IntegrationProviders::rawValue(provider));
    object.insert(QStringLiteral("eventKind"), TriggerEventKinds::rawValue(eventKind));
    object.insert(QStringLiteral("reaction"), reaction.toJson());
    object.insert(QStringLiteral("isEnabled"), isEnabled);
    object.insert(QStringLiteral("cooldownSeconds"), cooldownSeconds);
    return object;
}

std::optional<EventTrigger> EventTrigger::fromJson(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();

    const auto id = decodeUuid(object.value(QStringLiteral("id")));
    const auto name = requireString(object, QStringLiteral("name"));
    const auto providerRaw = requireString(object, QStringLiteral("provider"));
    const auto reaction = ReactionConfig::fromJson(object.value(QStringLiteral("reaction")));
    if (!id || !name || !providerRaw || !reaction)
        return std::nullopt;
    const auto provider = IntegrationProviders::fromRawValue(*providerRaw);
    if (!provider)
        return std::nullopt;

    bool isEnabled = true;
    const QJsonValue enabled = object.value(QStringLiteral("isEnabled"));
    if (!isMissing(enabled)) {
        if (!enabled.isBool())
            return std::nullopt;
        isEnabled = enabled.toBool();
    }

    double cooldownSeconds = defaultCooldownSeconds;
    const QJsonValue cooldown = object.value(QStringLiteral("cooldownSeconds"));
    if (!isMissing(cooldown)) {
        if (!cooldown.isDouble())
            return std::nullopt;
        cooldownSeconds = cooldown.toDouble();
    }

    const auto eventKind = readEventKind(object);
    if (!eventKind)
        return std::nullopt;

    return EventTrigger{*id, *name, *provider, *eventKind, *reaction, isEnabled, cooldownSeconds};
}
