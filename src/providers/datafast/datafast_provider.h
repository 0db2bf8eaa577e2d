#pragma once

#include "providers/metric_provider.h"

#include <QString>
#include <QUrl>

class Clock;
class HttpClient;
class KeychainStore;
struct ServiceEndpoints;

// Today's visitors, sessions, revenue and goal completions of one website. Reports only what the service
// answered: a failed request fails the poll, and a figure the answer lacks is left out of the snapshot.
class DatafastProvider final : public MetricProvider {
public:
    DatafastProvider(HttpClient& http, KeychainStore& keychain, Clock& clock,
                     const ServiceEndpoints& endpoints);

    IntegrationProvider provider() const override { return IntegrationProvider::datafast; }
    QCoro::Task<MetricSnapshot> fetchMetrics() override;
    // The service has no event feed.
    QCoro::Task<QList<ProviderEvent>> fetchEvents(QDateTime since) override;

    // The statistics address for today; the website id is one path segment whatever it contains. Invalid for
    // an id of dots only, which no encoding keeps from climbing up the path.
    static QUrl statsUrl(const QString& base, const QString& websiteId);
    // The text every rejected or non-HTTP answer fails with.
    static QString apiErrorText();

private:
    HttpClient& m_http;
    KeychainStore& m_keychain;
    Clock& m_clock;
    const ServiceEndpoints& m_endpoints;
};
