#include "model/metric_kind.h"

#include <array>

namespace {

struct MetricKindInfo {
    MetricKind kind;
    const char* title;
    bool currency;
};

constexpr std::array<MetricKindInfo, 41> kInfo = {{
    {MetricKind::revenueToday, "Revenue today", true},
    {MetricKind::revenue7d, "Revenue (7 days)", true},
    {MetricKind::purchaseCountToday, "Purchases today", false},
    {MetricKind::refundCountToday, "Refunds today", false},
    {MetricKind::sessionsToday, "Sessions today", false},
    {MetricKind::usersToday, "Users today", false},
    {MetricKind::pageviewsToday, "Pageviews today", false},
    {MetricKind::visitorsToday, "Visitors today", false},
    {MetricKind::goalCompletionsToday, "Goal completions today", false},
    {MetricKind::clicksToday, "Clicks today", false},
    {MetricKind::impressionsToday, "Impressions today", false},
    {MetricKind::totalRevenue, "All-time revenue", true},
    {MetricKind::mrr, "Revenue (30d)", true},
    {MetricKind::recurringMrr, "Recurring MRR", true},
    {MetricKind::arr, "ARR", true},
    {MetricKind::customers, "Paying customers", false},
    {MetricKind::trials, "Trials", false},
    {MetricKind::subscribers, "Active subscribers", false},
    {MetricKind::newSubscribers, "New subscribers", false},
    {MetricKind::charges, "Payments", false},
    {MetricKind::totalVisits, "All-time visits", false},
    {MetricKind::sessions, "Monthly sessions", false},
    {MetricKind::sessionsYesterday, "Sessions yesterday", false},
    {MetricKind::sessions7d, "Sessions (7d)", false},
    {MetricKind::pageviews, "Pageviews", false},
    {MetricKind::users, "Monthly users", false},
    {MetricKind::usersYesterday, "Users yesterday", false},
    {MetricKind::users7d, "Users (7d)", false},
    {MetricKind::usersGrowth, "User growth (7d)", false},
    {MetricKind::newUsers, "New users", false},
    {MetricKind::signups, "Signups", false},
    {MetricKind::engagedSessions, "Engaged sessions", false},
    {MetricKind::activeUsers, "Active visitors", false},
    {MetricKind::datafastSessions, "Datafast sessions", false},
    {MetricKind::datafastVisitors, "Datafast visitors", false},
    {MetricKind::datafastRevenue, "Datafast revenue", true},
    {MetricKind::datafastGoals, "Datafast goals", false},
    {MetricKind::clicks, "Search clicks", false},
    {MetricKind::impressions, "Search impressions", false},
    {MetricKind::avgPosition, "Avg. search position", false},
    {MetricKind::ctr, "Search CTR", false},
}};
static_assert(EnumNames::rowsInDeclarationOrder(kInfo, &MetricKindInfo::kind));

const MetricKindInfo& info(MetricKind kind) {
    return kInfo[static_cast<size_t>(kind)];
}

} // namespace

namespace MetricKinds {

QString displayName(MetricKind kind) {
    return QString::fromUtf8(info(kind).title);
}

const QList<MetricKind>& available(IntegrationProvider provider) {
    static const QList<MetricKind> stripe = {MetricKind::totalRevenue,    MetricKind::mrr,
                                             MetricKind::recurringMrr,    MetricKind::arr,
                                             MetricKind::revenue7d,       MetricKind::customers,
                                             MetricKind::trials,          MetricKind::subscribers,
                                             MetricKind::newSubscribers,  MetricKind::charges,
                                             MetricKind::revenueToday,    MetricKind::purchaseCountToday,
                                             MetricKind::refundCountToday};
    static const QList<MetricKind> googleAnalytics = {
        MetricKind::totalVisits,    MetricKind::sessions,      MetricKind::sessionsYesterday,
        MetricKind::sessions7d,     MetricKind::pageviews,     MetricKind::users,
        MetricKind::usersYesterday, MetricKind::users7d,       MetricKind::usersGrowth,
        MetricKind::newUsers,       MetricKind::signups,       MetricKind::engagedSessions,
        MetricKind::activeUsers,    MetricKind::sessionsToday, MetricKind::usersToday,
        MetricKind::pageviewsToday};
    static const QList<MetricKind> datafast = {MetricKind::datafastSessions, MetricKind::datafastVisitors,
                                               MetricKind::datafastRevenue,  MetricKind::datafastGoals,
                                               MetricKind::visitorsToday,    MetricKind::goalCompletionsToday,
                                               MetricKind::pageviewsToday};
    static const QList<MetricKind> googleSearchConsole = {
        MetricKind::clicks, MetricKind::impressions, MetricKind::avgPosition,
        MetricKind::ctr,    MetricKind::clicksToday, MetricKind::impressionsToday};
    switch (provider) {
    case IntegrationProvider::stripe:
        return stripe;
    case IntegrationProvider::googleAnalytics:
        return googleAnalytics;
    case IntegrationProvider::datafast:
        return datafast;
    case IntegrationProvider::googleSearchConsole:
        return googleSearchConsole;
    case IntegrationProvider::demo:
        break;
    }
    return allCases();
}

bool isCurrency(MetricKind kind) {
    return info(kind).currency;
}

} // namespace MetricKinds
