#include "providers/google/google_integration_service.h"

#include "google/google_oauth_manager.h"
#include "model/clock.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "net/http_client.h"
#include "net/service_endpoints.h"
#include "net/url_building.h"
#include "providers/google/google_resource_parsing.h"
#include "providers/provider_error.h"
#include "providers/provider_request.h"

#include <QSet>

namespace {

bool isHttpStatus(int status) {
    return status >= 100 && status <= 599;
}

} // namespace

GoogleIntegrationService::GoogleIntegrationService(HttpClient& http, KeychainStore& keychain, Clock& clock,
                                                   const ServiceEndpoints& endpoints,
                                                   GoogleOAuthManager& oauth)
    : m_http(http), m_keychain(keychain), m_clock(clock), m_endpoints(endpoints), m_oauth(oauth) {}

QString GoogleIntegrationService::adminApiDisabledText() {
    return QStringLiteral("Enable Google Analytics Admin API in your Google Cloud project.");
}

QCoro::Task<void> GoogleIntegrationService::persist(GoogleOAuthTokens tokens) {
    KeychainStore& keychain = m_keychain;
    co_await keychain.save(tokens.accessToken, CredentialAccounts::googleAccessToken());
    if (tokens.refreshToken)
        co_await keychain.save(*tokens.refreshToken, CredentialAccounts::googleRefreshToken());
    co_await keychain.save(GoogleOAuthTokens::expiryText(tokens.expiresAt),
                           CredentialAccounts::googleAccessTokenExpiresAt());
}

QCoro::Task<bool> GoogleIntegrationService::isSignedIn() {
    const std::optional<QString> refreshToken =
        co_await m_keychain.load(CredentialAccounts::googleRefreshToken());
    co_return refreshToken && !refreshToken->isEmpty();
}

QCoro::Task<QString> GoogleIntegrationService::ensureFreshAccessToken() {
    GoogleIntegrationService* self = this;
    const std::optional<QString> refreshToken =
        co_await m_keychain.load(CredentialAccounts::googleRefreshToken());
    if (!refreshToken || refreshToken->isEmpty())
        throw ProviderError::notConfigured();
    const std::optional<QString> accessToken =
        co_await self->m_keychain.load(CredentialAccounts::googleAccessToken());
    const std::optional<QString> expiryText =
        co_await self->m_keychain.load(CredentialAccounts::googleAccessTokenExpiresAt());
    if (accessToken && expiryText) {
        const std::optional<QDateTime> expiry = GoogleOAuthTokens::parseExpiryText(*expiryText);
        if (expiry && m_clock.now().msecsTo(*expiry) > renewalMarginSeconds * 1000)
            co_return *accessToken;
    }
    const GoogleOAuthTokens tokens = co_await self->m_oauth.refresh(*refreshToken);
    co_await self->persist(tokens);
    co_return tokens.accessToken;
}

QCoro::Task<QList<Ga4PropertyOption>> GoogleIntegrationService::listGa4Properties() {
    HttpClient& http = m_http;
    const QString base = m_endpoints.gaAdminApiBase;
    const QString accessToken = co_await ensureFreshAccessToken();

    QList<Ga4PropertyOption> properties;
    std::optional<QString> pageToken;
    QSet<QString> tokensSent;
    for (int page = 0; page < maxPropertyPages; ++page) {
        QList<UrlBuilding::QueryItem> query;
        if (pageToken)
            query.append({QStringLiteral("pageToken"), *pageToken});
        const HttpRequest request = ProviderRequest::authorized(
            accessToken, UrlBuilding::buildUrl(base, QStringLiteral("/v1beta/accountSummaries"), query));
        const HttpResponse response = co_await http.send(request);
        if (!isHttpStatus(response.status))
            throw ProviderError::invalidResponse();
        if (response.status == 403)
            throw ProviderError::apiError(adminApiDisabledText());
        ProviderRequest::checkStatus(response, QStringLiteral("GA4 property list failed"));
        GoogleResourceParsing::AccountSummariesPage parsed =
            GoogleResourceParsing::parseAccountSummaries(response.body);
        properties.append(parsed.properties);
        // A token already sent would only bring the same pages round again.
        if (!parsed.nextPageToken || tokensSent.contains(*parsed.nextPageToken))
            break;
        tokensSent.insert(*parsed.nextPageToken);
        pageToken = parsed.nextPageToken;
    }
    GoogleResourceParsing::sortByName(properties);
    co_return properties;
}

QCoro::Task<QList<GscSiteOption>> GoogleIntegrationService::listGscSites() {
    HttpClient& http = m_http;
    const QString base = m_endpoints.gscApiBase;
    const QString accessToken = co_await ensureFreshAccessToken();

    const HttpRequest request = ProviderRequest::authorized(
        accessToken, UrlBuilding::buildUrl(base, QStringLiteral("/webmasters/v3/sites")));
    const HttpResponse response = co_await http.send(request);
    const QString failedText = QStringLiteral("Search Console site list failed");
    if (!isHttpStatus(response.status))
        throw ProviderError::apiError(ProviderRequest::decodeUtf8(response.body).value_or(failedText));
    ProviderRequest::checkStatus(response, failedText);
    QList<GscSiteOption> sites = GoogleResourceParsing::parseSites(response.body);
    GoogleResourceParsing::sortBySiteUrl(sites);
    co_return sites;
}
