#include "google/google_oauth_tokens.h"

#include "model/json_conventions.h"

QJsonObject GoogleOAuthTokens::toJson() const {
    QJsonObject object;
    object.insert(QStringLiteral("accessToken"), accessToken);
    if (refreshToken)
        object.insert(QStringLiteral("refreshToken"), *refreshToken);
    object.insert(QStringLiteral("expiresAt"), JsonConventions::encodeTimestamp(expiresAt));
    return object;
}

std::optional<GoogleOAuthTokens> GoogleOAuthTokens::fromJson(const QJsonValue& value) {
    if (!value.isObject())
        return std::nullopt;
    const QJsonObject object = value.toObject();
    const std::optional<QString> access =
        JsonConventions::requireString(object, QStringLiteral("accessToken"));
    const std::optional<QDateTime> expires =
        JsonConventions::decodeTimestamp(object.value(QStringLiteral("expiresAt")));
    if (!access || !expires)
        return std::nullopt;
    GoogleOAuthTokens tokens{*access, std::nullopt, *expires};
    const QJsonValue refresh = object.value(QStringLiteral("refreshToken"));
    if (!refresh.isUndefined() && !refresh.isNull()) {
        if (!refresh.isString())
            return std::nullopt;
        tokens.refreshToken = refresh.toString();
    }
    return tokens;
}

QString GoogleOAuthTokens::expiryText(const QDateTime& moment) {
    const QDateTime utc = moment.toUTC();
    return utc.addMSecs(-utc.time().msec()).toString(Qt::ISODate);
}

std::optional<QDateTime> GoogleOAuthTokens::parseExpiryText(const QString& text) {
    const QDateTime moment = QDateTime::fromString(text, Qt::ISODate);
    // A text without a zone would be read in the local zone, which is not what was written.
    if (!moment.isValid() || moment.timeSpec() == Qt::LocalTime)
        return std::nullopt;
    return moment.toUTC();
}
