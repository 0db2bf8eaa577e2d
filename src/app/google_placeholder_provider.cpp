#include "app/google_placeholder_provider.h"

#include "providers/provider_error.h"

QCoro::Task<MetricSnapshot> GooglePlaceholderProvider::fetchMetrics() {
    throw ProviderError::notConfigured();
    co_return MetricSnapshot{};
}

QCoro::Task<QList<ProviderEvent>> GooglePlaceholderProvider::fetchEvents(QDateTime since) {
    Q_UNUSED(since);
    throw ProviderError::notConfigured();
    co_return QList<ProviderEvent>{};
}
