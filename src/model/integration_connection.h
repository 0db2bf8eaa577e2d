#pragma once

#include "model/integration_provider.h"

#include <QDateTime>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <optional>

// The state of one provider as the connect screens show it.
struct IntegrationConnection {
    IntegrationProvider provider = IntegrationProvider::stripe;
    bool isConnected = false;
    // Empty when not connected.
    QString label;
    std::optional<QDateTime> configuredAt;

    bool operator==(const IntegrationConnection&) const = default;

    QJsonObject toJson() const;
    // provider, isConnected and label are required; configuredAt is optional (null reads as unset).
    static std::optional<IntegrationConnection> fromJson(const QJsonValue& value);
    // A record that is not connected, as a fresh install has it.
    static IntegrationConnection disconnected(IntegrationProvider provider);
};
