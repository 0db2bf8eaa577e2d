#include "model/trigger_event_kind.h"

#include <array>

namespace {

struct TriggerEventKindInfo {
    TriggerEventKind kind;
    const char* raw;
    IntegrationProvider provider;
    std::optional<MetricKind> metric;
};

const std::array<TriggerEventKindInfo, 36> kInfo = {{
    {TriggerEventKind::stripeCharge, "stripeCharge", IntegrationProvider::stripe, std::nullopt},
    {TriggerEventKind::stripeRefund, "stripeRefund", IntegrationProvider::stripe, std::nullopt},
    {TriggerEventKind::stripeCheckoutComplete, "stripeCheckoutComplete", IntegrationProvider::stripe,
     std::nullopt},
    {TriggerEventKind::stripeNewSubscription, "stripeNewSubscription", IntegrationProvider::stripe,
     std::nullopt},
    {TriggerEventKind::stripeSubscriptionRenewal, "stripeSubscriptionRenewal", IntegrationProvider::stripe,
     std::nullopt},
    {TriggerEventKind::stripeSubscriptionUpdated, "stripeSubscriptionUpdated", IntegrationProvider::stripe,
     std::nullopt},
    {TriggerEventKind::stripeSubscriptionCanceled, "stripeSubscriptionCanceled", IntegrationProvider::stripe,
     std::nullopt},
    {TriggerEventKind::stripeTrials, "stripeTrials", IntegrationProvider::stripe, MetricKind::trials},
    {TriggerEventKind::stripeCustomers, "stripeCustomers", IntegrationProvider::stripe,
     MetricKind::customers},
    {TriggerEventKind::stripeSubscribers, "stripeSubscribers", IntegrationProvider::stripe,
     MetricKind::subscribers},
    {TriggerEventKind::stripeTotalRevenue, "stripeTotalRevenue", IntegrationProvider::stripe,
     MetricKind::totalRevenue},
    {TriggerEventKind::stripeMRR, "stripeMRR", IntegrationProvider::stripe, MetricKind::mrr},
    {TriggerEventKind::stripeRecurringMRR, "stripeRecurringMRR", IntegrationProvider::stripe,
     MetricKind::recurringMrr},
    {TriggerEventKind::stripeARR, "stripeARR", IntegrationProvider::stripe, MetricKind::arr},
    {TriggerEventKind::stripeRevenue7d, "stripeRevenue7d", IntegrationProvider::stripe,
     MetricKind::revenue7d},
    {TriggerEventKind::gaTotalVisits, "gaTotalVisits", IntegrationProvider::googleAnalytics,
     MetricKind::totalVisits},
    {TriggerEventKind::gaSessions, "gaSessions", IntegrationProvider::googleAnalytics, MetricKind::sessions},
    {TriggerEventKind::gaSessionsYesterday, "gaSessionsYesterday", IntegrationProvider::googleAnalytics,
     MetricKind::sessionsYesterday},
    {TriggerEventKind::gaSessions7d, "gaSessions7d", IntegrationProvider::googleAnalytics,
     MetricKind::sessions7d},
    {TriggerEventKind::gaPageviews, "gaPageviews", IntegrationProvider::googleAnalytics,
     MetricKind::pageviews},
    {TriggerEventKind::gaUsers, "gaUsers", IntegrationProvider::googleAnalytics, MetricKind::users},
    {TriggerEventKind::gaUsersYesterday, "gaUsersYesterday", IntegrationProvider::googleAnalytics,
     MetricKind::usersYesterday},
    {TriggerEventKind::gaUsers7d, "gaUsers7d", IntegrationProvider::googleAnalytics, MetricKind::users7d},
    {TriggerEventKind::gaUsersGrowth, "gaUsersGrowth", IntegrationProvider::googleAnalytics,
     MetricKind::usersGrowth},
    {TriggerEventKind::gaNewUsers, "gaNewUsers", IntegrationProvider::googleAnalytics, MetricKind::newUsers},
    {TriggerEventKind::gaSignups, "gaSignups", IntegrationProvider::googleAnalytics, MetricKind::signups},
    {TriggerEventKind::gaEngagedSessions, "gaEngagedSessions", IntegrationProvider::googleAnalytics,
     MetricKind::engagedSessions},
    {TriggerEventKind::gaActiveUsers, "gaActiveUsers", IntegrationProvider::googleAnalytics,
     MetricKind::activeUsers},
    {TriggerEventKind::datafastSessions, "datafastSessions", IntegrationProvider::datafast,
     MetricKind::datafastSessions},
    {TriggerEventKind::datafastVisitors, "datafastVisitors", IntegrationProvider::datafast,
     MetricKind::datafastVisitors},
    {TriggerEventKind::datafastRevenue, "datafastRevenue", IntegrationProvider::datafast,
     MetricKind::datafastRevenue},
    {TriggerEventKind::datafastGoals, "datafastGoals", IntegrationProvider::datafast,
     MetricKind::datafastGoals},
    {TriggerEventKind::gscClicks, "gscClicks", IntegrationProvider::googleSearchConsole, MetricKind::clicks},
    {TriggerEventKind::gscImpressions, "gscImpressions", IntegrationProvider::googleSearchConsole,
     MetricKind::impressions},
    {TriggerEventKind::gscAvgPosition, "gscAvgPosition", IntegrationProvider::googleSearchConsole,
     MetricKind::avgPosition},
    {TriggerEventKind::gscCTR, "gscCTR", IntegrationProvider::googleSearchConsole, MetricKind::ctr},
}};

const TriggerEventKindInfo& info(TriggerEventKind kind) {
    return kInfo[static_cast<size_t>(kind)];
}

} // namespace

namespace TriggerEventKinds {

const QList<TriggerEventKind>& allCases() {
    static const QList<TriggerEventKind> cases = [] {
        QList<TriggerEventKind> all;
        for (const auto& i : kInfo)
            all.append(i.kind);
        return all;
    }();
    return cases;
}

QString rawValue(TriggerEventKind kind) {
    return QString::fromLatin1(info(kind).raw);
}

std::optional<TriggerEventKind> fromRawValue(const QString& raw) {
    for (const auto& i : kInfo) {
        if (raw == QLatin1String(i.raw))
            return i.kind;
    }
    return std::nullopt;
}

IntegrationProvider provider(TriggerEventKind kind) {
    return info(kind).provider;
}

std::optional<MetricKind> watchedMetric(TriggerEventKind kind) {
    return info(kind).metric;
}

} // namespace TriggerEventKinds
