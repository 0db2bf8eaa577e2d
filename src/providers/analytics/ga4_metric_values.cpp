#include "providers/analytics/ga4_metric_values.h"

#include "model/c_format.h"

#include <cmath>

namespace {

double total(const Ga4Report::Result& report, const char* metric) {
    return report.value(QLatin1String(metric), 0.0);
}

} // namespace

double Ga4MetricValues::usersGrowth(double users7, double usersPriorWeek) {
    if (usersPriorWeek == 0.0)
        return 0.0;
    const double growth = (users7 / usersPriorWeek - 1.0) * 100.0;
    return std::isfinite(growth) && growth > 0.0 ? growth : 0.0;
}

QHash<MetricKind, double> Ga4MetricValues::values() const {
    const double sessions28 = total(last28Days, "sessions");
    const double pageviews28 = total(last28Days, "screenPageViews");
    return {
        {MetricKind::totalVisits, sessions28 * 12.0},
        {MetricKind::sessions, sessions28},
        {MetricKind::sessionsYesterday, total(lastTwoDays, "sessions")},
        {MetricKind::sessions7d, total(last7Days, "sessions")},
        {MetricKind::pageviews, pageviews28},
        {MetricKind::users, total(last28Days, "totalUsers")},
        {MetricKind::usersYesterday, total(lastTwoDays, "totalUsers")},
        {MetricKind::users7d, total(last7Days, "totalUsers")},
        {MetricKind::usersGrowth,
         usersGrowth(total(last7Days, "totalUsers"), total(priorWeek, "totalUsers"))},
        {MetricKind::newUsers, total(last28Days, "newUsers")},
        {MetricKind::signups, total(last28Days, "eventCount")},
        {MetricKind::engagedSessions, total(last28Days, "engagedSessions")},
        {MetricKind::activeUsers, total(last28Days, "activeUsers")},
        {MetricKind::sessionsToday, total(lastTwoDays, "sessions")},
        {MetricKind::usersToday, total(lastTwoDays, "totalUsers")},
        {MetricKind::pageviewsToday, pageviews28 / 28.0},
    };
}

QString Ga4MetricValues::displaySummary() const {
    return cFormat("%.0f sessions \u00b7 %.0f users (28d)", total(last28Days, "sessions"),
                   total(last28Days, "totalUsers"));
}
