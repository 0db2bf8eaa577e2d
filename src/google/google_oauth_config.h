#pragma once

#include <QString>
#include <functional>
#include <optional>

// Where the OAuth client comes from: the values compiled in with the CMake cache variables, each replaced at
// run time by the environment variable of the same name when that is set (even to an empty text).
struct GoogleOAuthConfig {
    // Absent when not configured; the connect screen shows its set-up hint then.
    std::optional<QString> clientId;
    // Desktop-app clients need their secret at the token endpoint; sent only when configured.
    std::optional<QString> clientSecret;

    using Lookup = std::function<std::optional<QString>(const QString& name)>;

    static GoogleOAuthConfig fromEnvironment();
    static GoogleOAuthConfig resolve(const QString& compiledClientId, const QString& compiledClientSecret,
                                     const Lookup& environment);

    // `value` unless it is empty or an unexpanded "$(...)" build placeholder.
    static std::optional<QString> usableValue(const QString& value);

    bool isConfigured() const { return clientId.has_value(); }

    bool operator==(const GoogleOAuthConfig&) const = default;
};
