#include "providers/stripe/stripe_event_envelope.h"

#include "providers/stripe/strict_json_reader.h"

std::optional<StripeEventEnvelope> StripeEventEnvelope::fromJson(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    StrictJsonReader reader;
    StripeEventEnvelope envelope;
    envelope.id = reader.requiredString(object, QLatin1String("id"));
    envelope.type = reader.requiredString(object, QLatin1String("type"));
    envelope.created = reader.requiredDouble(object, QLatin1String("created"));
    const QJsonValue data = object.value(QLatin1String("data"));
    if (!reader.ok() || !data.isObject())
        return std::nullopt;
    auto payload = JsonDictionary::fromJson(data.toObject().value(QLatin1String("object")));
    if (!payload)
        return std::nullopt;
    envelope.data.object = std::move(*payload);
    return envelope;
}
