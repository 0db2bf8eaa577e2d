#include "model/credential_accounts.h"

namespace CredentialAccounts {

QString service() {
    return QStringLiteral("com.zingboard.app.credentials");
}

QString stripeSecretKey() {
    return QStringLiteral("stripeSecretKey");
}
QString datafastApiKey() {
    return QStringLiteral("datafastApiKey");
}
QString datafastWebsiteId() {
    return QStringLiteral("datafastWebsiteId");
}
QString googleAccessToken() {
    return QStringLiteral("googleAccessToken");
}
QString googleRefreshToken() {
    return QStringLiteral("googleRefreshToken");
}
QString googleAccessTokenExpiresAt() {
    return QStringLiteral("googleAccessTokenExpiresAt");
}
QString ga4PropertyId() {
    return QStringLiteral("ga4PropertyId");
}
QString gscSiteUrl() {
    return QStringLiteral("gscSiteUrl");
}

const QList<QString>& allAccounts() {
    static const QList<QString> accounts{stripeSecretKey(),    datafastApiKey(),
                                         datafastWebsiteId(),  googleAccessToken(),
                                         googleRefreshToken(), googleAccessTokenExpiresAt(),
                                         ga4PropertyId(),      gscSiteUrl()};
    return accounts;
}

QList<QString> accountsOf(IntegrationProvider provider) {
    const QList<QString> googleTokens{googleAccessToken(), googleRefreshToken(),
                                      googleAccessTokenExpiresAt()};
    switch (provider) {
    case IntegrationProvider::stripe:
        return {stripeSecretKey()};
    case IntegrationProvider::googleAnalytics:
        return QList<QString>{ga4PropertyId()} + googleTokens;
    case IntegrationProvider::datafast:
        return {datafastApiKey(), datafastWebsiteId()};
    case IntegrationProvider::googleSearchConsole:
        return QList<QString>{gscSiteUrl()} + googleTokens;
    case IntegrationProvider::demo:
        return {};
    }
    return {};
}

} // namespace CredentialAccounts
