#pragma once

#include "model/metric_kind.h"

#include <QByteArray>
#include <QHash>
#include <QString>

// Clicks, impressions and the impression-weighted position summed over the rows of a search-analytics answer.
struct GscQueryTotals {
    double clicks = 0;
    double impressions = 0;
    // Sum of impressions x position; a row without a position adds nothing here.
    double weightedPosition = 0;

    // A member that is missing or not a number counts as 0; without an array of objects "rows" everything is
    // 0. A body that is not JSON throws DecodingError.
    static GscQueryTotals parse(const QByteArray& body);

    double averagePosition() const;
    // In percent.
    double clickThroughRate() const;
    QHash<MetricKind, double> values() const;
    // "%.0f clicks · %.1f%% CTR (28d)".
    QString displaySummary() const;
};
