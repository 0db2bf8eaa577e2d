#pragma once

#include "providers/analytics/ga4_report.h"
#include "providers/metric_provider.h"

#include <QCoroTask>
#include <QString>
#include <QUrl>

class Clock;
class GoogleIntegrationService;
class HttpClient;
class KeychainStore;
struct ServiceEndpoints;

// Sessions, users and page views of the chosen GA4 property from four Data API reports per poll. No event
// feed.
class GoogleAnalyticsProvider final : public MetricProvider {
public:
    GoogleAnalyticsProvider(HttpClient& http, KeychainStore& keychain, Clock& clock,
                            const ServiceEndpoints& endpoints, GoogleIntegrationService& google);

    IntegrationProvider provider() const override { return IntegrationProvider::googleAnalytics; }
    QCoro::Task<MetricSnapshot> fetchMetrics() override;
    QCoro::Task<QList<ProviderEvent>> fetchEvents(QDateTime since) override;

    // One report; a rejected or non-HTTP answer is ProviderError::apiError with the body or "GA4 report
    // failed".
    QCoro::Task<Ga4Report::Result> runReport(QString accessToken, QString propertyId, Ga4Report report);

    // The runReport address of a stored property id (the bare number, or "properties/" and the number); the
    // number is one encoded path segment whatever it contains.
    static QUrl runReportUrl(const QString& base, const QString& propertyId);
    // The four reports of a poll, in the order they run.
    static QList<Ga4Report> pollReports();

private:
    HttpClient& m_http;
    KeychainStore& m_keychain;
    Clock& m_clock;
    const ServiceEndpoints& m_endpoints;
    GoogleIntegrationService& m_google;
};
