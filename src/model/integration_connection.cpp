#include "model/integration_connection.h"

#include "model/json_conventions.h"

QJsonObject IntegrationConnection::toJson() const {
    QJsonObject object;
    object.insert(QStringLiteral("provider"), IntegrationProviders::rawValue(provider));
    object.insert(QStringLiteral("isConnected"), isConnected);
    object.insert(QStringLiteral("label"), label);
    if (configuredAt)
        object.insert(QStringLiteral("configuredAt"), JsonConventions::encodeTimestamp(*configuredAt));
    return object;
}

std::optional<IntegrationConnection> IntegrationConnection::fromJson(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const auto providerText = JsonConventions::requireString(object, QStringLiteral("provider"));
    const auto isConnected = JsonConventions::requireBool(object, QStringLiteral("isConnected"));
    const auto label = JsonConventions::requireString(object, QStringLiteral("label"));
    if (!providerText || !isConnected || !label)
        return std::nullopt;
    const auto provider = IntegrationProviders::fromRawValue(*providerText);
    if (!provider)
        return std::nullopt;

    IntegrationConnection connection{*provider, *isConnected, *label, std::nullopt};
    const QJsonValue configuredAt = object.value(QStringLiteral("configuredAt"));
    if (!configuredAt.isUndefined() && !configuredAt.isNull()) {
        connection.configuredAt = JsonConventions::decodeTimestamp(configuredAt);
        if (!connection.configuredAt)
            return std::nullopt;
    }
    return connection;
}

IntegrationConnection IntegrationConnection::disconnected(IntegrationProvider provider) {
    return IntegrationConnection{provider, false, QString(), std::nullopt};
}
