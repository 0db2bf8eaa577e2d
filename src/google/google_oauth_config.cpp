#include "google/google_oauth_config.h"

#include <QtGlobal>

#ifndef ZINGBOARD_GOOGLE_OAUTH_CLIENT_ID_DEFAULT
#define ZINGBOARD_GOOGLE_OAUTH_CLIENT_ID_DEFAULT ""
#endif
#ifndef ZINGBOARD_GOOGLE_OAUTH_CLIENT_SECRET_DEFAULT
#define ZINGBOARD_GOOGLE_OAUTH_CLIENT_SECRET_DEFAULT ""
#endif

std::optional<QString> GoogleOAuthConfig::usableValue(const QString& value) {
    if (value.isEmpty() || value.startsWith(QLatin1String("$(")))
        return std::nullopt;
    return value;
}

GoogleOAuthConfig GoogleOAuthConfig::resolve(const QString& compiledClientId,
                                             const QString& compiledClientSecret, const Lookup& environment) {
    const auto pick = [&environment](const char* name, const QString& compiled) {
        const std::optional<QString> fromEnvironment = environment(QLatin1String(name));
        return usableValue(fromEnvironment.value_or(compiled));
    };
    GoogleOAuthConfig config;
    config.clientId = pick("ZINGBOARD_GOOGLE_OAUTH_CLIENT_ID", compiledClientId);
    config.clientSecret = pick("ZINGBOARD_GOOGLE_OAUTH_CLIENT_SECRET", compiledClientSecret);
    return config;
}

GoogleOAuthConfig GoogleOAuthConfig::fromEnvironment() {
    return resolve(QStringLiteral(ZINGBOARD_GOOGLE_OAUTH_CLIENT_ID_DEFAULT),
                   QStringLiteral(ZINGBOARD_GOOGLE_OAUTH_CLIENT_SECRET_DEFAULT),
                   [](const QString& name) -> std::optional<QString> {
                       const QByteArray key = name.toLatin1();
                       if (!qEnvironmentVariableIsSet(key.constData()))
                           return std::nullopt;
                       return qEnvironmentVariable(key.constData());
                   });
}
