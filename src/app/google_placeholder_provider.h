#pragma once

#include "providers/metric_provider.h"

// Stands in for the Google Analytics and Search Console providers until Google sign-in exists: every
// fetch fails as "not configured", so nothing invented ever shows up as Google data.
class GooglePlaceholderProvider final : public MetricProvider {
public:
    explicit GooglePlaceholderProvider(IntegrationProvider provider) : m_provider(provider) {}

    IntegrationProvider provider() const override { return m_provider; }
    QCoro::Task<MetricSnapshot> fetchMetrics() override;
    QCoro::Task<QList<ProviderEvent>> fetchEvents(QDateTime since) override;

private:
    IntegrationProvider m_provider;
};
