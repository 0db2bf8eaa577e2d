#include "model/goal.h"

#include "model/json_conventions.h"

using namespace JsonConventions;

QJsonObject Goal::toJson() const {
    QJsonObject object;
    object.insert(QStringLiteral("id"), encodeUuid(id));
    object.insert(QStringLiteral("name"), name);
    object.insert(QStringLiteral("provider"), IntegrationProviders::rawValue(provider));
    object.insert(QStringLiteral("metric"), MetricKinds::rawValue(metric));
    object.insert(QStringLiteral("targetValue"), targetValue);
    object.insert(QStringLiteral("period"), GoalPeriods::rawValue(period));
    object.insert(QStringLiteral("reaction"), reaction.toJson());
    object.insert(QStringLiteral("isEnabled"), isEnabled);
    if (lastTriggeredAt)
        object.insert(QStringLiteral("lastTriggeredAt"), encodeTimestamp(*lastTriggeredAt));
    return object;
}

std::optional<Goal> Goal::fromJson(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();

    const auto id = decodeUuid(object.value(QStringLiteral("id")));
    const auto name = requireString(object, QStringLiteral("name"));
    const auto providerRaw = requireString(object, QStringLiteral("provider"));
    const auto metricRaw = requireString(object, QStringLiteral("metric"));
    const auto targetValue = requireDouble(object, QStringLiteral("targetValue"));
    const auto periodRaw = requireString(object, QStringLiteral("period"));
    const auto reaction = ReactionConfig::fromJson(object.value(QStringLiteral("reaction")));
    const auto isEnabled = requireBool(object, QStringLiteral("isEnabled"));
    if (!id || !name || !providerRaw || !metricRaw || !targetValue || !periodRaw || !reaction || !isEnabled)
        return std::nullopt;

    const auto provider = IntegrationProviders::fromRawValue(*providerRaw);
    const auto metric = MetricKinds::fromRawValue(*metricRaw);
    const auto period = GoalPeriods::fromRawValue(*periodRaw);
    if (!provider || !metric || !period)
        return std::nullopt;

    std::optional<QDateTime> lastTriggeredAt;
    const QJsonValue stamp = object.value(QStringLiteral("lastTriggeredAt"));
    if (!stamp.isUndefined() && !stamp.isNull()) {
        lastTriggeredAt = decodeTimestamp(stamp);
        if (!lastTriggeredAt)
            return std::nullopt;
    }

    return Goal{*id,     *name,     *provider,  *metric,        *targetValue,
                *period, *reaction, *isEnabled, lastTriggeredAt};
}
