#include "support/fake_metric_provider.h"

#include "providers/provider_error.h"

MetricSnapshot FakeMetricProvider::snapshotOf(QHash<MetricKind, double> values) const {
    MetricSnapshot snapshot;
    snapshot.provider = m_provider;
    snapshot.values = std::move(values);
    snapshot.displaySummary = m_displaySummary;
    snapshot.fetchedAt = m_fetchedAt;
    snapshot.currencyCode = m_currencyCode;
    return snapshot;
}

void FakeMetricProvider::setStandingMetrics(QHash<MetricKind, double> values) {
    m_standing = snapshotOf(std::move(values));
}

void FakeMetricProvider::queueMetrics(QHash<MetricKind, double> values) {
    m_metrics.append(snapshotOf(std::move(values)));
}

QCoro::Task<MetricSnapshot> FakeMetricProvider::fetchMetrics() {
    ++m_metricsCalls;
    if (m_callLog)
        m_callLog->append(IntegrationProviders::rawValue(m_provider) + QStringLiteral(":metrics"));
    co_await metricsGate.wait();
    if (m_metrics.isEmpty()) {
        if (!m_standing)
            throw ProviderError::apiError(QStringLiteral("no metrics scripted"));
        co_return *m_standing;
    }
    auto next = m_metrics.takeFirst();
    if (auto* error = std::get_if<std::exception_ptr>(&next))
        std::rethrow_exception(*error);
    co_return std::get<MetricSnapshot>(next);
}

QCoro::Task<QList<ProviderEvent>> FakeMetricProvider::fetchEvents(QDateTime since) {
    m_eventSinces.append(since);
    if (m_callLog)
        m_callLog->append(IntegrationProviders::rawValue(m_provider) + QStringLiteral(":events"));
    co_await eventsGate.wait();
    if (m_beforeEventsReturn)
        m_beforeEventsReturn();
    if (m_events.isEmpty())
        co_return QList<ProviderEvent>();
    auto next = m_events.takeFirst();
    if (auto* error = std::get_if<std::exception_ptr>(&next))
        std::rethrow_exception(*error);
    co_return std::get<QList<ProviderEvent>>(next);
}
