#include "providers/analytics/google_analytics_provider.h"

#include "model/clock.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "net/http_client.h"
#include "net/service_endpoints.h"
#include "net/url_building.h"
#include "providers/analytics/ga4_metric_values.h"
#include "providers/google/google_integration_service.h"
#include "providers/provider_error.h"
#include "providers/provider_request.h"

namespace {

const QString resourcePrefix = QStringLiteral("properties/");

bool isHttpStatus(int status) {
    return status >= 100 && status <= 599;
}

QString reportFailedText() {
    return QStringLiteral("GA4 report failed");
}

} // namespace

GoogleAnalyticsProvider::GoogleAnalyticsProvider(HttpClient& http, KeychainStore& keychain, Clock& clock,
                                                 const ServiceEndpoints& endpoints,
                                                 GoogleIntegrationService& google)
    : m_http(http), m_keychain(keychain), m_clock(clock), m_endpoints(endpoints), m_google(google) {}

QUrl GoogleAnalyticsProvider::runReportUrl(const QString& base, const QString& propertyId) {
    const QString number =
        propertyId.startsWith(resourcePrefix) ? propertyId.mid(resourcePrefix.size()) : propertyId;
    return UrlBuilding::buildUrl(base, QStringLiteral("/v1beta/properties/") +
                                           UrlBuilding::encodePathSegment(number) +
                                           QStringLiteral(":runReport"));
}

QList<Ga4Report> GoogleAnalyticsProvider::pollReports() {
    const QString sessions = QStringLiteral("sessions");
    const QString users = QStringLiteral("totalUsers");
    return {
        {{sessions, users, QStringLiteral("screenPageViews"), QStringLiteral("newUsers"),
          QStringLiteral("engagedSessions"), QStringLiteral("activeUsers"), QStringLiteral("eventCount")},
         QStringLiteral("28daysAgo"),
         QStringLiteral("today")},
        {{sessions, users}, QStringLiteral("2daysAgo"), QStringLiteral("yesterday")},
        {{sessions, users}, QStringLiteral("7daysAgo"), QStringLiteral("today")},
        // The week before the last seven days, for week-over-week user growth.
        {{users}, QStringLiteral("14daysAgo"), QStringLiteral("8daysAgo")},
    };
}

QCoro::Task<Ga4Report::Result> GoogleAnalyticsProvider::runReport(QString accessToken, QString propertyId,
                                                                  Ga4Report report) {
    HttpRequest request = ProviderRequest::authorized(
        accessToken, runReportUrl(m_endpoints.gaDataApiBase, propertyId), QByteArrayLiteral("POST"));
    request.setHeader(QByteArrayLiteral("Content-Type"), QByteArrayLiteral("application/json"));
    request.body = report.requestBody();
    const HttpResponse response = co_await m_http.send(request);
    if (!isHttpStatus(response.status))
        throw ProviderError::apiError(
            ProviderRequest::decodeUtf8(response.body).value_or(reportFailedText()));
    ProviderRequest::checkStatus(response, reportFailedText());
    co_return Ga4Report::parse(response.body);
}

QCoro::Task<MetricSnapshot> GoogleAnalyticsProvider::fetchMetrics() {
    const std::optional<QString> refreshToken =
        co_await m_keychain.load(CredentialAccounts::googleRefreshToken());
    if (!refreshToken || refreshToken->isEmpty())
        throw ProviderError::notConfigured();
    const std::optional<QString> propertyId = co_await m_keychain.load(CredentialAccounts::ga4PropertyId());
    if (!propertyId || propertyId->isEmpty())
        throw ProviderError::notConfigured();

    GoogleAnalyticsProvider* self = this;
    const QString accessToken = co_await m_google.ensureFreshAccessToken();
    // One after the other: each waits for the previous, and any failure fails the whole poll.
    QList<Ga4Report::Result> results;
    for (const Ga4Report& report : pollReports())
        results.append(co_await self->runReport(accessToken, *propertyId, report));

    const Ga4MetricValues figures{results.at(0), results.at(1), results.at(2), results.at(3)};
    MetricSnapshot snapshot;
    snapshot.provider = IntegrationProvider::googleAnalytics;
    snapshot.values = figures.values();
    snapshot.displaySummary = figures.displaySummary();
    snapshot.fetchedAt = self->m_clock.now();
    co_return snapshot;
}

QCoro::Task<QList<ProviderEvent>> GoogleAnalyticsProvider::fetchEvents(QDateTime since) {
    Q_UNUSED(since);
    co_return QList<ProviderEvent>{};
}
