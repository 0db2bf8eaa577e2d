#pragma once

#include "model/metric_kind.h"

#include <QByteArray>
#include <QHash>
#include <QString>
#include <optional>

// Today's figures of one website as the statistics endpoint reported them. A figure the answer did not carry
// as a number stays absent: nothing is filled in.
struct DatafastStats {
    std::optional<double> sessions;
    std::optional<double> visitors;
    std::optional<double> revenue;
    std::optional<double> goals;

    // Reads the body of a statistics answer. Throws DecodingError when it is not JSON at all; a JSON value
    // other than an object carries no figures.
    static DatafastStats parse(const QByteArray& body);

    // The metric values of the present figures and of the values derived from them.
    QHash<MetricKind, double> metricValues() const;
    // "12 visitors · $40 revenue", or as much of it as is known.
    QString displaySummary() const;

    friend bool operator==(const DatafastStats&, const DatafastStats&) = default;
};
