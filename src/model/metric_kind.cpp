#include "model/metric_kind.h"

#include <array>

namespace {

struct MetricKindInfo {
    MetricKind kind;
    const char* raw;
    const char* title;
    bool currency;
};

constexpr std::array<MetricKindInfo, 41> kInfo = {{
    {MetricKind::revenueToday, "revenueToday", "Revenue today", true},
    {MetricKind::revenue7d, "revenue7d", "Revenue (7 days)", true},
    {MetricKind::purchaseCountToday, "purchaseCountToday", "Purchases today", false},
    {MetricKind::refundCountToday, "refundCountToday", "Refunds today", false},
    {MetricKind::sessionsToday, "sessionsToday", "Sessions today", false},
    {MetricKind::usersToday, "usersToday", "Users today", false},
    {MetricKind::pageviewsToday, "pageviewsToday", "Pageviews today", false},
    {MetricKind::visitorsToday, "visitorsToday", "Visitors today", false},
    {MetricKind::goalCompletionsToday, "goalCompletionsToday", "Goal completions today", false},
    {MetricKind::clicksToday, "clicksToday", "Clicks today", false},
    {MetricKind::impressionsToday, "impressionsToday", "Impressions today", false},
    {MetricKind::totalRevenue, "totalRevenue", "All-time revenue", true},
    {MetricKind::mrr, "mrr", "Revenue (30d)", true},
    {MetricKind::recurringMrr, "recurringMrr", "Recurring MRR", true},
    {MetricKind::arr, "arr", "ARR", true},
    {MetricKind::customers, "customers", "Paying customers", false},
    {MetricKind::trials, "trials", "Trials", false},
    {MetricKind::subscribers, "subscribers", "Active subscribers", false},
    {MetricKind::newSubscribers, "newSubscribers", "New subscribers", false},
    {MetricKind::charges, "charges", "Payments", false},
    {MetricKind::totalVisits, "totalVisits", "All-time visits", false},
    {MetricKind::sessions, "sessions", "Monthly sessions", false},
    {MetricKind::sessionsYesterday, "sessionsYesterday", "Sessions yesterday", false},
    {MetricKind::sessions7d, "sessions7d", "Sessions (7d)", false},
    {MetricKind::pageviews, "pageviews", "Pageviews", false},
    {MetricKind::users, "users", "Monthly users", false},
    {MetricKind::usersYesterday, "usersYesterday", "Users yesterday", false},
    {MetricKind::users7d, "users7d", "Users (7d)", false},
    {MetricKind::usersGrowth, "usersGrowth", "User growth (7d)", false},
    {MetricKind::newUsers, "newUsers", "New users", false},
    {MetricKind::signups, "signups", "Signups", false},
    {MetricKind::engagedSessions, "engagedSessions", "Engaged sessions", false},
    {MetricKind::activeUsers, "activeUsers", "Active visitors", false},
    {MetricKind::datafastSessions, "datafastSessions", "Datafast sessions", false},
    {MetricKind::datafastVisitors, "datafastVisitors", "Datafast visitors", false},
    {MetricKind::datafastRevenue, "datafastRevenue", "Datafast revenue", true},
    {MetricKind::datafastGoals, "datafastGoals", "Datafast goals", false},
    {MetricKind::clicks, "clicks", "Search clicks", false},
    {MetricKind::impressions, "impressions", "Search impressions", false},
    {MetricKind::avgPosition, "avgPosition", "Avg. search position", false},
    {MetricKind::ctr, "ctr", "Search CTR", false},
}};

const MetricKindInfo& info(MetricKind kind) { return kInfo[static_cast<size_t>(kind)]; }

} // namespace

namespace MetricKinds {

const QList<MetricKind>& allCases() {
    static const QList<MetricKind> cases = [] {
        QList<MetricKind> all;
        for (const auto& i : kInfo)
            all.append(i.kind);
        return all;
    }();
    return cases;
}

QString rawValue(MetricKind kind) { return QString::fromLatin1(info(kind).raw); }

std::optional<MetricKind> fromRawValue(const QString& raw) {
    for (const auto& i : kInfo) {
        if (raw == QLatin1String(i.raw))
            return i.kind;
    }
    return std::nullopt;
}

QString displayName(MetricKind kind) { return QString::fromUtf8(info(kind).title); }

const QList<MetricKind>& available(IntegrationProvider provider) {
    static const QList<MetricKind> stripe = {MetricKind::totalRevenue, MetricKind::mrr, MetricKind::recurringMrr, MetricKind::arr, MetricKind::revenue7d, MetricKind::customers, MetricKind::trials, MetricKind::subscribers, MetricKind::newSubscribers, MetricKind::charges, MetricKind::revenueToday, MetricKind::purchaseCountToday, MetricKind::refundCountToday};
    static const QList<MetricKind> googleAnalytics = {MetricKind::totalVisits, MetricKind::sessions, MetricKind::sessionsYesterday, MetricKind::sessions7d, MetricKind::pageviews, MetricKind::users, MetricKind::usersYesterday, MetricKind::users7d, MetricKind::usersGrowth, MetricKind::newUsers, MetricKind::signups, MetricKind::engagedSessions, MetricKind::activeUsers, MetricKind::sessionsToday, MetricKind::usersToday, MetricKind::pageviewsToday};
    static const QList<MetricKind> datafast = {MetricKind::datafastSessions, MetricKind::datafastVisitors, MetricKind::datafastRevenue, MetricKind::datafastGoals, MetricKind::visitorsToday, MetricKind::goalCompletionsToday, MetricKind::pageviewsToday};
    static const QList<MetricKind> googleSearchConsole = {MetricKind::clicks, MetricKind::impressions, MetricKind::avgPosition, MetricKind::ctr, MetricKind::clicksToday, MetricKind::impressionsToday};
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

bool isCurrency(MetricKind kind) { return info(kind).currency; }

} // namespace MetricKinds
