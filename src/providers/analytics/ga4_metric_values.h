#pragma once

#include "model/metric_kind.h"
#include "providers/analytics/ga4_report.h"

#include <QHash>
#include <QString>

// The sixteen figures of one poll, from the four reports' totals (a total a report lacks counts as 0).
struct Ga4MetricValues {
    Ga4Report::Result last28Days;
    Ga4Report::Result lastTwoDays;
    Ga4Report::Result last7Days;
    Ga4Report::Result priorWeek;

    QHash<MetricKind, double> values() const;
    // "%.0f sessions · %.0f users (28d)".
    QString displaySummary() const;

    // Week-over-week user growth in percent: (users7 / usersPriorWeek - 1) x 100; 0 when the prior week had
    // no users or the result is negative or not a number.
    static double usersGrowth(double users7, double usersPriorWeek);
};
