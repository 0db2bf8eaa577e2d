#pragma once

#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <optional>

// The chosen Google Analytics property and Search Console site.
struct GoogleIntegrationMetadata {
    std::optional<QString> gaPropertyId;
    std::optional<QString> gaPropertyName;
    std::optional<QString> gscSiteUrl;

    bool operator==(const GoogleIntegrationMetadata&) const = default;

    // Unset fields are left out.
    QJsonObject toJson() const;
    // Every key is optional; a key that is present must hold a string (null reads as unset).
    static std::optional<GoogleIntegrationMetadata> fromJson(const QJsonValue& value);
};
