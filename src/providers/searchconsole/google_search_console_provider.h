#pragma once

#include "providers/metric_provider.h"

#include <QByteArray>
#include <QCoroTask>
#include <QString>
#include <QUrl>

class Clock;
class GoogleIntegrationService;
class HttpClient;
class KeychainStore;
struct ServiceEndpoints;

// Clicks, impressions, position and click-through rate of the chosen Search Console site over 28 days. No
// event feed.
class GoogleSearchConsoleProvider final : public MetricProvider {
public:
    GoogleSearchConsoleProvider(HttpClient& http, KeychainStore& keychain, Clock& clock,
                                const ServiceEndpoints& endpoints, GoogleIntegrationService& google);

    IntegrationProvider provider() const override { return IntegrationProvider::googleSearchConsole; }
    QCoro::Task<MetricSnapshot> fetchMetrics() override;
    QCoro::Task<QList<ProviderEvent>> fetchEvents(QDateTime since) override;

    // The query address; the site is one path segment ("/" encoded, ":" kept), so
    // "https://example.com/" goes in as "https:%2F%2Fexample.com%2F".
    static QUrl queryUrl(const QString& base, const QString& siteUrl);
    // The query over the UTC dates of 28 calendar days ago and of now.
    static QByteArray queryBody(const Clock& clock);

private:
    HttpClient& m_http;
    KeychainStore& m_keychain;
    Clock& m_clock;
    const ServiceEndpoints& m_endpoints;
    GoogleIntegrationService& m_google;
};
