#pragma once

#include "model/currency_format.h"
#include "model/integration_provider.h"
#include "model/metric_kind.h"

#include <QDateTime>
#include <QHash>
#include <QString>

// What one provider reported at one poll. Never stored.
struct MetricSnapshot {
    IntegrationProvider provider = IntegrationProvider::demo;
    QHash<MetricKind, double> values;
    QDateTime fetchedAt;
    QString displaySummary;
    // The currency of its money figures (ISO 4217, upper case).
    QString currencyCode = CurrencyFormat::defaultCode();

    // A kind the provider did not report reads as 0.
    double value(MetricKind kind) const { return values.value(kind, 0.0); }

    friend bool operator==(const MetricSnapshot&, const MetricSnapshot&) = default;
};
