#include "app/screens/connect/integration_links.h"

#include <QStringList>

#ifndef ZINGBOARD_STRIPE_DASHBOARD_BASE
#define ZINGBOARD_STRIPE_DASHBOARD_BASE "https://dashboard.stripe.com"
#endif
#ifndef ZINGBOARD_DATAFAST_SITE_BASE
#define ZINGBOARD_DATAFAST_SITE_BASE "https://datafa.st"
#endif
#ifndef ZINGBOARD_GOOGLE_CLOUD_CONSOLE_BASE
#define ZINGBOARD_GOOGLE_CLOUD_CONSOLE_BASE "https://console.cloud.google.com"
#endif

namespace {

QUrl under(QString base, const QString& pathAndQuery) {
    while (base.endsWith(QLatin1Char('/')))
        base.chop(1);
    return QUrl(base + pathAndQuery, QUrl::StrictMode);
}

} // namespace

namespace IntegrationLinks {

QUrl stripeApiKeyCreation(const QString& base) {
    // Written out encoded: "[]" must reach the dashboard as %5B%5D, and the repeated key must stay repeated.
    QStringList query{QStringLiteral("name=Zingboard")};
    for (const char* permission :
         {"rak_charge_read", "rak_subscription_read", "rak_plan_read", "rak_product_read"})
        query.append(QStringLiteral("permissions%5B%5D=") + QLatin1String(permission));
    return under(base, QStringLiteral("/apikeys/create?") + query.join(QLatin1Char('&')));
}

QUrl datafastApiDocs(const QString& base) {
    return under(base, QStringLiteral("/docs/api"));
}

QUrl googleCloudApiLibrary(const QString& base) {
    return under(base, QStringLiteral("/apis/library"));
}

QUrl stripeApiKeyCreation() {
    return stripeApiKeyCreation(QStringLiteral(ZINGBOARD_STRIPE_DASHBOARD_BASE));
}

QUrl datafastApiDocs() {
    return datafastApiDocs(QStringLiteral(ZINGBOARD_DATAFAST_SITE_BASE));
}

QUrl googleCloudApiLibrary() {
    return googleCloudApiLibrary(QStringLiteral(ZINGBOARD_GOOGLE_CLOUD_CONSOLE_BASE));
}

} // namespace IntegrationLinks
