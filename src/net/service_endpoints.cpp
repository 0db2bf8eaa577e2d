#include "net/service_endpoints.h"

#include <QUrl>
#include <QtGlobal>

std::optional<QString> ServiceEndpoints::normalizedBase(const QString& value) {
    QString text = value.trimmed();
    if (text.endsWith(QLatin1Char('/')))
        text.chop(1);
    if (text.isEmpty())
        return std::nullopt;
    const QUrl url(text, QUrl::StrictMode);
    const QString scheme = url.scheme();
    if (!url.isValid() || (scheme != QLatin1String("http") && scheme != QLatin1String("https")))
        return std::nullopt;
    // Anything beyond scheme, host and port would silently change every path appended to it.
    if (url.host().isEmpty() || !url.path().isEmpty() || url.hasQuery() || url.hasFragment() ||
        !url.userInfo().isEmpty())
        return std::nullopt;
    return url.toString(QUrl::FullyEncoded);
}

ServiceEndpoints ServiceEndpoints::fromEnvironment() {
    return fromEnvironment([](const QString& name) -> std::optional<QString> {
        const QByteArray key = name.toLatin1();
        if (!qEnvironmentVariableIsSet(key.constData()))
            return std::nullopt;
        return qEnvironmentVariable(key.constData());
    });
}

ServiceEndpoints ServiceEndpoints::fromEnvironment(const Lookup& lookup) {
    ServiceEndpoints endpoints;
    const auto apply = [&lookup](const char* name, QString& field) {
        if (const auto value = lookup(QLatin1String(name))) {
            if (const auto base = normalizedBase(*value))
                field = *base;
        }
    };
    apply("ZINGBOARD_STRIPE_API_BASE", endpoints.stripeApiBase);
    apply("ZINGBOARD_DATAFAST_API_BASE", endpoints.datafastApiBase);
    apply("ZINGBOARD_GA_DATA_API_BASE", endpoints.gaDataApiBase);
    apply("ZINGBOARD_GA_ADMIN_API_BASE", endpoints.gaAdminApiBase);
    apply("ZINGBOARD_GSC_API_BASE", endpoints.gscApiBase);
    apply("ZINGBOARD_GOOGLE_ACCOUNTS_BASE", endpoints.googleAccountsBase);
    apply("ZINGBOARD_GOOGLE_OAUTH2_BASE", endpoints.googleOAuth2Base);
    return endpoints;
}
