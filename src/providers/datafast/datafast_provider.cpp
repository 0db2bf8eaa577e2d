#include "providers/datafast/datafast_provider.h"

#include "model/clock.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "net/http_client.h"
#include "net/service_endpoints.h"
#include "net/url_building.h"
#include "providers/datafast/datafast_stats.h"
#include "providers/provider_error.h"
#include "providers/provider_request.h"

namespace {

// Our HTTP client only resolves with real answers; a status outside the HTTP range still counts as none.
bool isHttpStatus(int status) {
    return status >= 100 && status <= 599;
}

} // namespace

DatafastProvider::DatafastProvider(HttpClient& http, KeychainStore& keychain, Clock& clock,
                                   const ServiceEndpoints& endpoints)
    : m_http(http), m_keychain(keychain), m_clock(clock), m_endpoints(endpoints) {}

QUrl DatafastProvider::statsUrl(const QString& base, const QString& websiteId) {
    return UrlBuilding::buildUrl(
        base,
        UrlBuilding::pathFromSegments({QStringLiteral("api"), QStringLiteral("v1"),
                                       QStringLiteral("websites"), websiteId, QStringLiteral("stats")}),
        {{QStringLiteral("period"), QStringLiteral("today")}});
}

QString DatafastProvider::apiErrorText() {
    return QStringLiteral("Datafast API error");
}

QCoro::Task<MetricSnapshot> DatafastProvider::fetchMetrics() {
    // Read at every call: a key replaced or removed in the meantime takes effect at once.
    // Trimmed as the key check trims them, so what was checked is what is polled.
    const QString apiKey =
        (co_await m_keychain.load(CredentialAccounts::datafastApiKey())).value_or(QString()).trimmed();
    const QString websiteId =
        (co_await m_keychain.load(CredentialAccounts::datafastWebsiteId())).value_or(QString()).trimmed();
    if (apiKey.isEmpty() || websiteId.isEmpty())
        throw ProviderError::notConfigured();

    const QUrl url = statsUrl(m_endpoints.datafastApiBase, websiteId);
    // An id of dots only would resolve to another path on either side; such a request is never sent.
    if (!url.isValid())
        throw ProviderError::invalidResponse();
    const HttpRequest request = ProviderRequest::authorized(apiKey, url);
    // Only locals and references that outlive the provider are used after this point.
    Clock& clock = m_clock;
    const HttpResponse response = co_await m_http.send(request);
    if (!isHttpStatus(response.status) || response.status >= 400)
        throw ProviderError::apiError(apiErrorText());

    const DatafastStats stats = DatafastStats::parse(response.body);
    MetricSnapshot snapshot;
    snapshot.provider = IntegrationProvider::datafast;
    snapshot.values = stats.metricValues();
    snapshot.displaySummary = stats.displaySummary();
    snapshot.fetchedAt = clock.now();
    co_return snapshot;
}

QCoro::Task<QList<ProviderEvent>> DatafastProvider::fetchEvents(QDateTime since) {
    Q_UNUSED(since);
    co_return QList<ProviderEvent>{};
}
