#pragma once

#include "model/integration_provider.h"
#include "model/metric_snapshot.h"
#include "providers/provider_event.h"

#include <QCoroTask>
#include <QDateTime>
#include <QList>

// One data source the engine polls. Calls fail by throwing (ProviderError, TransportError, DecodingError);
// a failed call leaves the provider's state as it was. The engine never runs two calls of one object at once.
class MetricProvider {
public:
    virtual ~MetricProvider() = default;

    virtual IntegrationProvider provider() const = 0;
    virtual QCoro::Task<MetricSnapshot> fetchMetrics() = 0;
    // Events since `since`, in the order they are to be handled; possibly empty.
    virtual QCoro::Task<QList<ProviderEvent>> fetchEvents(QDateTime since) = 0;
    // Forget what the events feed has already seen, so the next fetch starts afresh (Stripe only).
    virtual void resetEventsState() {}
};
