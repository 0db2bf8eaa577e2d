#include "model/google_integration_metadata.h"

namespace {

// Absent and null read as unset; any other non-string fails the record.
bool readOptionalString(const QJsonObject& object, const QString& key, std::optional<QString>& out) {
    const QJsonValue v = object.value(key);
    if (v.isUndefined() || v.isNull())
        return true;
    if (!v.isString())
        return false;
    out = v.toString();
    return true;
}

} // namespace

QJsonObject GoogleIntegrationMetadata::toJson() const {
    QJsonObject object;
    if (gaPropertyId)
        object.insert(QStringLiteral("gaPropertyId"), *gaPropertyId);
    if (gaPropertyName)
        object.insert(QStringLiteral("gaPropertyName"), *gaPropertyName);
    if (gscSiteUrl)
        object.insert(QStringLiteral("gscSiteUrl"), *gscSiteUrl);
    return object;
}

std::optional<GoogleIntegrationMetadata> GoogleIntegrationMetadata::fromJson(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    GoogleIntegrationMetadata metadata;
    if (!readOptionalString(object, QStringLiteral("gaPropertyId"), metadata.gaPropertyId) ||
        !readOptionalString(object, QStringLiteral("gaPropertyName"), metadata.gaPropertyName) ||
        !readOptionalString(object, QStringLiteral("gscSiteUrl"), metadata.gscSiteUrl))
        return std::nullopt;
    return metadata;
}
