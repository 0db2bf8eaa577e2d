#include "providers/searchconsole/google_search_console_provider.h"

#include "model/clock.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "net/http_client.h"
#include "net/service_endpoints.h"
#include "net/url_building.h"
#include "providers/google/google_integration_service.h"
#include "providers/provider_error.h"
#include "providers/provider_request.h"
#include "providers/searchconsole/gsc_query_totals.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

bool isHttpStatus(int status) {
    return status >= 100 && status <= 599;
}

QString queryFailedText() {
    return QStringLiteral("GSC query failed");
}

// The UTC calendar date of `moment`, which near midnight can differ from the local one.
QString utcDate(const QDateTime& moment) {
    return moment.toUTC().date().toString(Qt::ISODate);
}

} // namespace

GoogleSearchConsoleProvider::GoogleSearchConsoleProvider(HttpClient& http, KeychainStore& keychain,
                                                         Clock& clock, const ServiceEndpoints& endpoints,
                                                         GoogleIntegrationService& google)
    : m_http(http), m_keychain(keychain), m_clock(clock), m_endpoints(endpoints), m_google(google) {}

QUrl GoogleSearchConsoleProvider::queryUrl(const QString& base, const QString& siteUrl) {
    return UrlBuilding::buildUrl(base, QStringLiteral("/webmasters/v3/sites/") +
                                           UrlBuilding::encodePathSegment(siteUrl) +
                                           QStringLiteral("/searchAnalytics/query"));
}

QByteArray GoogleSearchConsoleProvider::queryBody(const Clock& clock) {
    const QDateTime now = clock.now();
    QDateTime start = clock.addCalendarDays(now, -28);
    if (!start.isValid())
        start = now;
    const QJsonObject body{{QStringLiteral("startDate"), utcDate(start)},
                           {QStringLiteral("endDate"), utcDate(now)},
                           {QStringLiteral("dimensions"), QJsonArray{QStringLiteral("date")}},
                           {QStringLiteral("rowLimit"), 28}};
    return QJsonDocument(body).toJson(QJsonDocument::Compact);
}

QCoro::Task<MetricSnapshot> GoogleSearchConsoleProvider::fetchMetrics() {
    const std::optional<QString> refreshToken =
        co_await m_keychain.load(CredentialAccounts::googleRefreshToken());
    const std::optional<QString> siteUrl = co_await m_keychain.load(CredentialAccounts::gscSiteUrl());
    if (!refreshToken || refreshToken->isEmpty() || !siteUrl || siteUrl->isEmpty())
        throw ProviderError::notConfigured();

    HttpClient& http = m_http;
    Clock& clock = m_clock;
    const QUrl url = queryUrl(m_endpoints.gscApiBase, *siteUrl);
    const QString accessToken = co_await m_google.ensureFreshAccessToken();

    HttpRequest request = ProviderRequest::authorized(accessToken, url, QByteArrayLiteral("POST"));
    request.setHeader(QByteArrayLiteral("Content-Type"), QByteArrayLiteral("application/json"));
    request.body = queryBody(clock);
    const HttpResponse response = co_await http.send(request);
    if (!isHttpStatus(response.status))
        throw ProviderError::apiError(ProviderRequest::decodeUtf8(response.body).value_or(queryFailedText()));
    ProviderRequest::checkStatus(response, queryFailedText());

    const GscQueryTotals totals = GscQueryTotals::parse(response.body);
    MetricSnapshot snapshot;
    snapshot.provider = IntegrationProvider::googleSearchConsole;
    snapshot.values = totals.values();
    snapshot.displaySummary = totals.displaySummary();
    snapshot.fetchedAt = clock.now();
    co_return snapshot;
}

QCoro::Task<QList<ProviderEvent>> GoogleSearchConsoleProvider::fetchEvents(QDateTime since) {
    Q_UNUSED(since);
    co_return QList<ProviderEvent>{};
}
