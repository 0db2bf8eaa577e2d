#pragma once

#include <QDateTime>
#include <QJsonObject>
#include <QJsonValue>
#include <QString>
#include <optional>

// What a sign-in or a refresh returns.
struct GoogleOAuthTokens {
    QString accessToken;
    // Always present after a sign-in; a refreshed record carries the refresh token that was used.
    std::optional<QString> refreshToken;
    // Receipt time plus the lifetime Google gave, with no margin taken off.
    QDateTime expiresAt;

    bool operator==(const GoogleOAuthTokens&) const = default;

    // Keys "accessToken", "refreshToken" (left out when absent) and "expiresAt" (seconds since 2001-01-01
    // UTC).
    QJsonObject toJson() const;
    static std::optional<GoogleOAuthTokens> fromJson(const QJsonValue& value);

    // The stored form of an expiry: ISO 8601 in UTC, whole seconds, "Z" suffix.
    static QString expiryText(const QDateTime& moment);
    // Reads an expiry written with a zone designator ("Z" or an offset); nothing for any other text.
    static std::optional<QDateTime> parseExpiryText(const QString& text);
};
