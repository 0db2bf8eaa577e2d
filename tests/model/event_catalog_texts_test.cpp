#include "model/tavik_event_catalog.h"

#include <gtest/gtest.h>

namespace {

struct Row {
    TriggerEventKind kind;
    const char* tavikId;
    IntegrationProvider provider;
    const char* displayName;
    const char* subtitle;
    const char* emoji;
    const char* defaultTriggerName;
    const char* reactionEmoji;
    SoundEffect sound;
    const char* message;
    ReactionContext context;
    std::optional<MetricKind> metric;
    bool instant;
};

// Every row as the product's texts have it; a stray edit of one word in the catalog shows up here.
TEST(EventCatalog, EveryRowWordForWord) {
    using K = TriggerEventKind;
    using P = IntegrationProvider;
    using S = SoundEffect;
    using C = ReactionContext;
    using M = MetricKind;
    const Row rows[] = {
        {K::stripeCharge, "charges", P::stripe, "New payment", "Successful Stripe charge", "\U0001F4B0",
         "Every payment", "\U0001F680", S::chaChing, "Ka-ching!", C::purchase, std::nullopt, true},
        {K::stripeRefund, "refund", P::stripe, "Refund", "Money returned to customer", "\U0001F4B8",
         "Every refund", "\U0001F595", S::scream, "Refund detected!", C::refund, std::nullopt, true},
        {K::stripeCheckoutComplete, "checkout.session.completed", P::stripe, "Checkout completed",
         "Stripe Checkout session finished", "\U0001F6D2", "Checkout completed", "\U0001F6D2",
         S::rocketWhoosh, "Checkout done!", C::purchase, std::nullopt, true},
        {K::stripeNewSubscription, "newSubscribers", P::stripe, "New subscriber", "Subscription created",
         "\U0001F195", "New subscriber", "\U0001F195", S::applause, "New subscriber!", C::subscription,
         std::nullopt, true},
        {K::stripeSubscriptionRenewal, "invoice.payment_succeeded", P::stripe, "Subscription renewal",
         "Recurring invoice paid", "\U0001F501", "Subscription renewal", "\U0001F501", S::chaChing,
         "Renewal!", C::subscription, std::nullopt, true},
        {K::stripeSubscriptionUpdated, "customer.subscription.updated", P::stripe, "Subscription updated",
         "Plan or status changed", "\U0001F4CB", "Subscription updated", "\U0001F4CB", S::whisper,
         "Sub updated", C::subscription, std::nullopt, true},
        {K::stripeSubscriptionCanceled, "customer.subscription.deleted", P::stripe, "Subscription canceled",
         "Customer churned", "\U0001F44B", "Subscription canceled", "\U0001F44B", S::sadTrombone,
         "They left\u2026", C::refund, std::nullopt, true},
        {K::stripeTrials, "trials", P::stripe, "New trial", "Trialing subscription count rose", "\U0001F9EA",
         "New trial", "\U0001F9EA", S::whisper, "Trial started!", C::subscription, M::trials, false},
        {K::stripeCustomers, "customers", P::stripe, "New paying customer",
         "Distinct paying customers increased", "\U0001F464", "New customer", "\U0001F464", S::applause,
         "New customer!", C::purchase, M::customers, false},
        {K::stripeSubscribers, "subscribers", P::stripe, "Subscriber gain", "Active subscribers increased",
         "\U0001F4EC", "Subscriber gain", "\U0001F4EC", S::chaChing, "Sub count up!", C::subscription,
         M::subscribers, false},
        {K::stripeTotalRevenue, "totalRevenue", P::stripe, "Revenue up (lifetime)",
         "All-time gross revenue increased", "\U0001F3E6", "Lifetime revenue up", "\U0001F3E6", S::moan,
         "Lifetime revenue!", C::revenue, M::totalRevenue, false},
        {K::stripeMRR, "mrr", P::stripe, "Revenue up (30d)", "30-day gross revenue increased", "\U0001F4B5",
         "30d revenue up", "\U0001F4B5", S::chaChing, "Revenue up!", C::revenue, M::mrr, false},
        {K::stripeRecurringMRR, "recurringMrr", P::stripe, "Recurring MRR up", "Subscription MRR increased",
         "\U0001F501", "MRR up", "\U0001F4C8", S::applause, "MRR climbing!", C::revenue, M::recurringMrr,
         false},
        {K::stripeARR, "arr", P::stripe, "ARR up", "Annual recurring revenue increased", "\U0001F4C5",
         "ARR up", "\U0001F4C5", S::rocketWhoosh, "ARR flex!", C::revenue, M::arr, false},
        {K::stripeRevenue7d, "revenue7d", P::stripe, "Revenue up (7d)", "7-day gross revenue increased",
         "\U0001F4CA", "Weekly revenue up", "\U0001F4CA", S::chaChing, "Week looking good!", C::revenue,
         M::revenue7d, false},
        {K::gaTotalVisits, "totalVisits", P::googleAnalytics, "All-time visits up",
         "Google Analytics lifetime sessions increased", "\U0001F30D", "All-time visits up", "\U0001F30D",
         S::applause, "More visits!", C::traffic, M::totalVisits, false},
        {K::gaSessions, "sessions", P::googleAnalytics, "Sessions up", "Monthly sessions increased",
         "\U0001F4CA", "Sessions up", "\U0001F4CA", S::applause, "Sessions up!", C::traffic, M::sessions,
         false},
        {K::gaSessionsYesterday, "sessionsYesterday", P::googleAnalytics, "Yesterday sessions up",
         "Google Analytics yesterday sessions rose", "\U0001F4C5", "Yesterday sessions up", "\U0001F4C5",
         S::whisper, "Yesterday was busy!", C::traffic, M::sessionsYesterday, false},
        {K::gaSessions7d, "sessions7d", P::googleAnalytics, "7d sessions up",
         "Weekly session count increased", "\U0001F4C8", "7d sessions up", "\U0001F4C8", S::rocketWhoosh,
         "Weekly traffic!", C::traffic, M::sessions7d, false},
        {K::gaPageviews, "pageviews", P::googleAnalytics, "Pageviews up",
         "Google Analytics pageviews increased", "\U0001F4C4", "Pageviews up", "\U0001F4C4", S::rocketWhoosh,
         "Pageviews!", C::traffic, M::pageviews, false},
        {K::gaUsers, "users", P::googleAnalytics, "Users up", "Monthly users increased", "\U0001F465",
         "Users up", "\U0001F465", S::applause, "More users!", C::traffic, M::users, false},
        {K::gaUsersYesterday, "usersYesterday", P::googleAnalytics, "Yesterday users up",
         "Google Analytics yesterday users rose", "\U0001F464", "Yesterday users up", "\U0001F464",
         S::whisper, "Visitors yesterday!", C::traffic, M::usersYesterday, false},
        {K::gaUsers7d, "users7d", P::googleAnalytics, "7d users up", "Weekly users increased", "\U0001F4C8",
         "7d users up", "\U0001F4C8", S::applause, "Weekly users!", C::traffic, M::users7d, false},
        {K::gaUsersGrowth, "usersGrowth", P::googleAnalytics, "User growth up",
         "7d user growth vs prior week", "\U0001F680", "User growth up", "\U0001F680", S::rocketWhoosh,
         "Growth!", C::traffic, M::usersGrowth, false},
        {K::gaNewUsers, "newUsers", P::googleAnalytics, "New users up",
         "Google Analytics new users increased", "\U00002728", "New users up", "\U00002728", S::chaChing,
         "Fresh users!", C::traffic, M::newUsers, false},
        {K::gaSignups, "signups", P::googleAnalytics, "Signups up",
         "Google Analytics sign_up events increased", "\U0001F4DD", "Signups up", "\U0001F4DD", S::applause,
         "New signup!", C::conversion, M::signups, false},
        {K::gaEngagedSessions, "engagedSessions", P::googleAnalytics, "Engaged sessions up",
         "Quality sessions increased", "\U0001F525", "Engaged sessions up", "\U0001F525", S::airhorn,
         "Engaged!", C::traffic, M::engagedSessions, false},
        {K::gaActiveUsers, "activeUsers", P::googleAnalytics, "Live visitors up",
         "Google Analytics realtime active users rose", "\U0001F7E2", "Live visitors up", "\U0001F7E2",
         S::whisper, "Live traffic!", C::traffic, M::activeUsers, false},
        {K::datafastSessions, "sessions", P::datafast, "Sessions up", "Datafast sessions increased",
         "\U000026A1", "Datafast sessions up", "\U000026A1", S::rocketWhoosh, "Sessions!", C::traffic,
         M::datafastSessions, false},
        {K::datafastVisitors, "datafastVisitors", P::datafast, "Visitors up", "Datafast unique visitors rose",
         "\U0001F440", "Visitors up", "\U0001F440", S::chaChing, "Visitor in!", C::traffic,
         M::datafastVisitors, false},
        {K::datafastRevenue, "datafastRevenue", P::datafast, "Revenue up", "Datafast attributed revenue rose",
         "\U0001F4B0", "Datafast revenue up", "\U0001F4B0", S::moan, "Datafast money!", C::revenue,
         M::datafastRevenue, false},
        {K::datafastGoals, "datafastGoals", P::datafast, "Goals up", "Datafast payment goals completed",
         "\U0001F3AF", "Datafast goals up", "\U0001F3AF", S::applause, "Goal hit!", C::conversion,
         M::datafastGoals, false},
        {K::gscClicks, "clicks", P::googleSearchConsole, "Search clicks up",
         "Google Search Console clicks increased", "\U0001F50D", "Search clicks up", "\U0001F50D", S::airhorn,
         "SEO click!", C::seo, M::clicks, false},
        {K::gscImpressions, "impressions", P::googleSearchConsole, "Impressions up",
         "Google Search Console impressions increased", "\U0001F441", "Impressions up", "\U0001F441",
         S::whisper, "Seen on Google!", C::seo, M::impressions, false},
        {K::gscAvgPosition, "avgPosition", P::googleSearchConsole, "Ranking improved",
         "Google Search Console average position improved", "\U0001F3C6", "Ranking improved", "\U0001F3C6",
         S::applause, "Ranking up!", C::seo, M::avgPosition, false},
        {K::gscCTR, "ctr", P::googleSearchConsole, "CTR up", "Search click-through rate rose", "\U0001F4C8",
         "CTR up", "\U0001F4C8", S::chaChing, "CTR flex!", C::seo, M::ctr, false},
    };
    ASSERT_EQ(TavikEventCatalog::all().size(), qsizetype(std::size(rows)));
    for (qsizetype i = 0; i < qsizetype(std::size(rows)); ++i) {
        const Row& r = rows[i];
        const TavikEventDefinition expected{
            r.kind,
            QString::fromUtf8(r.tavikId),
            r.provider,
            QString::fromUtf8(r.displayName),
            QString::fromUtf8(r.subtitle),
            QString::fromUtf8(r.emoji),
            QString::fromUtf8(r.defaultTriggerName),
            ReactionConfig{QString::fromUtf8(r.reactionEmoji), r.sound, QString::fromUtf8(r.message)},
            r.context,
            r.metric,
            r.instant};
        EXPECT_EQ(TavikEventCatalog::all().at(i), expected) << "row " << i;
    }
}

} // namespace
