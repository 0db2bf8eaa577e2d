#include "model/trigger_event_kind.h"

#include <array>

namespace {

struct TriggerEventKindInfo {
    TriggerEventKind kind;
    IntegrationProvider provider;
    std::optional<MetricKind> metric;
};

const std::array<TriggerEventKindInfo, 36> kInfo = {{
    {TriggerEventKind::stripeCharge, IntegrationProvider::stripe, std::nullopt},
    {TriggerEventKind::stripeRefund, IntegrationProvider::stripe, std::nullopt},
    {TriggerEventKind::stripeCheckoutComplete, IntegrationProvider::stripe, std::nullopt},
    {TriggerEventKind::stripeNewSubscription, IntegrationProvider::stripe, std::nullopt},
    {TriggerEventKind::stripeSubscriptionRenewal, IntegrationProvider::stripe, std::nullopt},
    {TriggerEventKind::stripeSubscriptionUpdated, IntegrationProvider::stripe, std::nullopt},
    {TriggerEventKind::stripeSubscriptionCanceled, IntegrationProvider::stripe, std::nullopt},
    {TriggerEventKind::stripeTrials, IntegrationProvider::stripe, MetricKind::trials},
    {TriggerEventKind::stripeCustomers, IntegrationProvider::stripe, MetricKind::customers},
    {TriggerEventKind::stripeSubscribers, IntegrationProvider::stripe, MetricKind::subscribers},
    {TriggerEventKind::stripeTotalRevenue, IntegrationProvider::stripe, MetricKind::totalRevenue},
    {TriggerEventKind::stripeMRR, IntegrationProvider::stripe, MetricKind::mrr},
    {TriggerEventKind::stripeRecurringMRR, IntegrationProvider::stripe, MetricKind::recurringMrr},
    {TriggerEventKind::stripeARR, IntegrationProvider::stripe, MetricKind::arr},
    {TriggerEventKind::stripeRevenue7d, IntegrationProvider::stripe, MetricKind::revenue7d},
    {TriggerEventKind::gaTotalVisits, IntegrationProvider::googleAnalytics, MetricKind::totalVisits},
    {TriggerEventKind::gaSessions, IntegrationProvider::googleAnalytics, MetricKind::sessions},
    {TriggerEventKind::gaSessionsYesterday, IntegrationProvider::googleAnalytics,
     MetricKind::sessionsYesterday},
    {TriggerEventKind::gaSessions7d, IntegrationProvider::googleAnalytics, MetricKind::sessions7d},
    {TriggerEventKind::gaPageviews, IntegrationProvider::googleAnalytics, MetricKind::pageviews},
    {TriggerEventKind::gaUsers, IntegrationProvider::googleAnalytics, MetricKind::users},
    {TriggerEventKind::gaUsersYesterday, IntegrationProvider::googleAnalytics, MetricKind::usersYesterday},
    {TriggerEventKind::gaUsers7d, IntegrationProvider::googleAnalytics, MetricKind::users7d},
    {TriggerEventKind::gaUsersGrowth, IntegrationProvider::googleAnalytics, MetricKind::usersGrowth},
    {TriggerEventKind::gaNewUsers, IntegrationProvider::googleAnalytics, MetricKind::newUsers},
    {TriggerEventKind::gaSignups, IntegrationProvider::googleAnalytics, MetricKind::signups},
    {TriggerEventKind::gaEngagedSessions, IntegrationProvider::googleAnalytics, MetricKind::engagedSessions},
    {TriggerEventKind::gaActiveUsers, IntegrationProvider::googleAnalytics, MetricKind::activeUsers},
    {TriggerEventKind::datafastSessions, IntegrationProvider::datafast, MetricKind::datafastSessions},
    {TriggerEventKind::datafastVisitors, IntegrationProvider::datafast, MetricKind::datafastVisitors},
    {TriggerEventKind::datafastRevenue, IntegrationProvider::datafast, MetricKind::datafastRevenue},
    {TriggerEventKind::datafastGoals, IntegrationProvider::datafast, MetricKind::datafastGoals},
    {TriggerEventKind::gscClicks, IntegrationProvider::googleSearchConsole, MetricKind::clicks},
    {TriggerEventKind::gscImpressions, IntegrationProvider::googleSearchConsole, MetricKind::impressions},
    {TriggerEventKind::gscAvgPosition, IntegrationProvider::googleSearchConsole, MetricKind::avgPosition},
    {TriggerEventKind::gscCTR, IntegrationProvider::googleSearchConsole, MetricKind::ctr},
}};

const TriggerEventKindInfo& info(TriggerEventKind kind) {
    return kInfo[static_cast<size_t>(kind)];
}

} // namespace

namespace TriggerEventKinds {

IntegrationProvider provider(TriggerEventKind kind) {
    return info(kind).provider;
}

std::optional<MetricKind> watchedMetric(TriggerEventKind kind) {
    return info(kind).metric;
}

} // namespace TriggerEventKinds
