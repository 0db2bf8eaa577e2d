#pragma once

#include <QByteArray>
#include <QHash>
#include <QString>
#include <QStringList>

// One Data API report: which totals over which date range, and the totals it answered with.
struct Ga4Report {
    QStringList metrics;
    QString startDate;
    QString endDate;

    // {"dateRanges": [{"startDate", "endDate"}], "metrics": [{"name"}, ...]}.
    QByteArray requestBody() const;

    using Result = QHash<QString, double>;
    // Pairs the metric header names with the first row's values by position (the shorter list decides); a
    // value that is not a finite number reads as 0; a later duplicate name wins. A body that is not JSON
    // throws DecodingError; any other shape gives an empty result.
    static Result parse(const QByteArray& body);
};
