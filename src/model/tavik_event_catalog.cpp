#include "model/tavik_event_catalog.h"

#include <array>

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
    // Set for metric increases; the instant Stripe events have none.
    std::optional<MetricKind> metricKind;
};

// Emoji are spelled as code points so that look-alike sequences (e.g. with or without U+FE0F) cannot slip in.
constexpr std::array<Row, 36> kRows = {{
    {TriggerEventKind::stripeCharge, "charges", IntegrationProvider::stripe, "New payment",
     "Successful Stripe charge", "\U0001F4B0", "Every payment", "\U0001F680", SoundEffect::chaChing,
     "Ka-ching!", ReactionContext::purchase, std::nullopt},
    {TriggerEventKind::stripeRefund, "refund", IntegrationProvider::stripe, "Refund",
     "Money returned to customer", "\U0001F4B8", "Every refund", "\U0001F595", SoundEffect::scream,
     "Refund detected!", ReactionContext::refund, std::nullopt},
    {TriggerEventKind::stripeCheckoutComplete, "checkout.session.completed", IntegrationProvider::stripe,
     "Checkout completed", "Stripe Checkout session finished", "\U0001F6D2", "Checkout completed",
     "\U0001F6D2", SoundEffect::rocketWhoosh, "Checkout done!", ReactionContext::purchase, std::nullopt},
    {TriggerEventKind::stripeNewSubscription, "newSubscribers", IntegrationProvider::stripe, "New subscriber",
     "Subscription created", "\U0001F195", "New subscriber", "\U0001F195", SoundEffect::applause,
     "New subscriber!", ReactionContext::subscription, std::nullopt},
    {TriggerEventKind::stripeSubscriptionRenewal, "invoice.payment_succeeded", IntegrationProvider::stripe,
     "Subscription renewal", "Recurring invoice paid", "\U0001F501", "Subscription renewal", "\U0001F501",
     SoundEffect::chaChing, "Renewal!", ReactionContext::subscription, std::nullopt},
    {TriggerEventKind::stripeSubscriptionUpdated, "customer.subscription.updated",
     IntegrationProvider::stripe, "Subscription updated", "Plan or status changed", "\U0001F4CB",
     "Subscription updated", "\U0001F4CB", SoundEffect::whisper, "Sub updated", ReactionContext::subscription,
     std::nullopt},
    {TriggerEventKind::stripeSubscriptionCanceled, "customer.subscription.deleted",
     IntegrationProvider::stripe, "Subscription canceled", "Customer churned", "\U0001F44B",
     "Subscription canceled", "\U0001F44B", SoundEffect::sadTrombone, "They left\u2026",
     ReactionContext::refund, std::nullopt},
    {TriggerEventKind::stripeTrials, "trials", IntegrationProvider::stripe, "New trial",
     "Trialing subscription count rose", "\U0001F9EA", "New trial", "\U0001F9EA", SoundEffect::whisper,
     "Trial started!", ReactionContext::subscription, MetricKind::trials},
    {TriggerEventKind::stripeCustomers, "customers", IntegrationProvider::stripe, "New paying customer",
     "Distinct paying customers increased", "\U0001F464", "New customer", "\U0001F464", SoundEffect::applause,
     "New customer!", ReactionContext::purchase, MetricKind::customers},
    {TriggerEventKind::stripeSubscribers, "subscribers", IntegrationProvider::stripe, "Subscriber gain",
     "Active subscribers increased", "\U0001F4EC", "Subscriber gain", "\U0001F4EC", SoundEffect::chaChing,
     "Sub count up!", ReactionContext::subscription, MetricKind::subscribers},
    {TriggerEventKind::stripeTotalRevenue, "totalRevenue", IntegrationProvider::stripe,
     "Revenue up (lifetime)", "All-time gross revenue increased", "\U0001F3E6", "Lifetime revenue up",
     "\U0001F3E6", SoundEffect::moan, "Lifetime revenue!", ReactionContext::revenue,
     MetricKind::totalRevenue},
    {TriggerEventKind::stripeMRR, "mrr", IntegrationProvider::stripe, "Revenue up (30d)",
     "30-day gross revenue increased", "\U0001F4B5", "30d revenue up", "\U0001F4B5", SoundEffect::chaChing,
     "Revenue up!", ReactionContext::revenue, MetricKind::mrr},
    {TriggerEventKind::stripeRecurringMRR, "recurringMrr", IntegrationProvider::stripe, "Recurring MRR up",
     "Subscription MRR increased", "\U0001F501", "MRR up", "\U0001F4C8", SoundEffect::applause,
     "MRR climbing!", ReactionContext::revenue, MetricKind::recurringMrr},
    {TriggerEventKind::stripeARR, "arr", IntegrationProvider::stripe, "ARR up",
     "Annual recurring revenue increased", "\U0001F4C5", "ARR up", "\U0001F4C5", SoundEffect::rocketWhoosh,
     "ARR flex!", ReactionContext::revenue, MetricKind::arr},
    {TriggerEventKind::stripeRevenue7d, "revenue7d", IntegrationProvider::stripe, "Revenue up (7d)",
     "7-day gross revenue increased", "\U0001F4CA", "Weekly revenue up", "\U0001F4CA", SoundEffect::chaChing,
     "Week looking good!", ReactionContext::revenue, MetricKind::revenue7d},
    {TriggerEventKind::gaTotalVisits, "totalVisits", IntegrationProvider::googleAnalytics,
     "All-time visits up", "Google Analytics lifetime sessions increased", "\U0001F30D", "All-time visits up",
     "\U0001F30D", SoundEffect::applause, "More visits!", ReactionContext::traffic, MetricKind::totalVisits},
    {TriggerEventKind::gaSessions, "sessions", IntegrationProvider::googleAnalytics, "Sessions up",
     "Monthly sessions increased", "\U0001F4CA", "Sessions up", "\U0001F4CA", SoundEffect::applause,
     "Sessions up!", ReactionContext::traffic, MetricKind::sessions},
    {TriggerEventKind::gaSessionsYesterday, "sessionsYesterday", IntegrationProvider::googleAnalytics,
     "Yesterday sessions up", "Google Analytics yesterday sessions rose", "\U0001F4C5",
     "Yesterday sessions up", "\U0001F4C5", SoundEffect::whisper, "Yesterday was busy!",
     ReactionContext::traffic, MetricKind::sessionsYesterday},
    {TriggerEventKind::gaSessions7d, "sessions7d", IntegrationProvider::googleAnalytics, "7d sessions up",
     "Weekly session count increased", "\U0001F4C8", "7d sessions up", "\U0001F4C8",
     SoundEffect::rocketWhoosh, "Weekly traffic!", ReactionContext::traffic, MetricKind::sessions7d},
    {TriggerEventKind::gaPageviews, "pageviews", IntegrationProvider::googleAnalytics, "Pageviews up",
     "Google Analytics pageviews increased", "\U0001F4C4", "Pageviews up", "\U0001F4C4",
     SoundEffect::rocketWhoosh, "Pageviews!", ReactionContext::traffic, MetricKind::pageviews},
    {TriggerEventKind::gaUsers, "users", IntegrationProvider::googleAnalytics, "Users up",
     "Monthly users increased", "\U0001F465", "Users up", "\U0001F465", SoundEffect::applause, "More users!",
     ReactionContext::traffic, MetricKind::users},
    {TriggerEventKind::gaUsersYesterday, "usersYesterday", IntegrationProvider::googleAnalytics,
     "Yesterday users up", "Google Analytics yesterday users rose", "\U0001F464", "Yesterday users up",
     "\U0001F464", SoundEffect::whisper, "Visitors yesterday!", ReactionContext::traffic,
     MetricKind::usersYesterday},
    {TriggerEventKind::gaUsers7d, "users7d", IntegrationProvider::googleAnalytics, "7d users up",
     "Weekly users increased", "\U0001F4C8", "7d users up", "\U0001F4C8", SoundEffect::applause,
     "Weekly users!", ReactionContext::traffic, MetricKind::users7d},
    {TriggerEventKind::gaUsersGrowth, "usersGrowth", IntegrationProvider::googleAnalytics, "User growth up",
     "7d user growth vs prior week", "\U0001F680", "User growth up", "\U0001F680", SoundEffect::rocketWhoosh,
     "Growth!", ReactionContext::traffic, MetricKind::usersGrowth},
    {TriggerEventKind::gaNewUsers, "newUsers", IntegrationProvider::googleAnalytics, "New users up",
     "Google Analytics new users increased", "\u2728", "New users up", "\u2728", SoundEffect::chaChing,
     "Fresh users!", ReactionContext::traffic, MetricKind::newUsers},
    {TriggerEventKind::gaSignups, "signups", IntegrationProvider::googleAnalytics, "Signups up",
     "Google Analytics sign_up events increased", "\U0001F4DD", "Signups up", "\U0001F4DD",
     SoundEffect::applause, "New signup!", ReactionContext::conversion, MetricKind::signups},
    {TriggerEventKind::gaEngagedSessions, "engagedSessions", IntegrationProvider::googleAnalytics,
     "Engaged sessions up", "Quality sessions increased", "\U0001F525", "Engaged sessions up", "\U0001F525",
     SoundEffect::airhorn, "Engaged!", ReactionContext::traffic, MetricKind::engagedSessions},
    {TriggerEventKind::gaActiveUsers, "activeUsers", IntegrationProvider::googleAnalytics, "Live visitors up",
     "Google Analytics realtime active users rose", "\U0001F7E2", "Live visitors up", "\U0001F7E2",
     SoundEffect::whisper, "Live traffic!", ReactionContext::traffic, MetricKind::activeUsers},
    {TriggerEventKind::datafastSessions, "sessions", IntegrationProvider::datafast, "Sessions up",
     "Datafast sessions increased", "\u26A1", "Datafast sessions up", "\u26A1", SoundEffect::rocketWhoosh,
     "Sessions!", ReactionContext::traffic, MetricKind::datafastSessions},
    {TriggerEventKind::datafastVisitors, "datafastVisitors", IntegrationProvider::datafast, "Visitors up",
     "Datafast unique visitors rose", "\U0001F440", "Visitors up", "\U0001F440", SoundEffect::chaChing,
     "Visitor in!", ReactionContext::traffic, MetricKind::datafastVisitors},
    {TriggerEventKind::datafastRevenue, "datafastRevenue", IntegrationProvider::datafast, "Revenue up",
     "Datafast attributed revenue rose", "\U0001F4B0", "Datafast revenue up", "\U0001F4B0", SoundEffect::moan,
     "Datafast money!", ReactionContext::revenue, MetricKind::datafastRevenue},
    {TriggerEventKind::datafastGoals, "datafastGoals", IntegrationProvider::datafast, "Goals up",
     "Datafast payment goals completed", "\U0001F3AF", "Datafast goals up", "\U0001F3AF",
     SoundEffect::applause, "Goal hit!", ReactionContext::conversion, MetricKind::datafastGoals},
    {TriggerEventKind::gscClicks, "clicks", IntegrationProvider::googleSearchConsole, "Search clicks up",
     "Google Search Console clicks increased", "\U0001F50D", "Search clicks up", "\U0001F50D",
     SoundEffect::airhorn, "SEO click!", ReactionContext::seo, MetricKind::clicks},
    {TriggerEventKind::gscImpressions, "impressions", IntegrationProvider::googleSearchConsole,
     "Impressions up", "Google Search Console impressions increased", "\U0001F441", "Impressions up",
     "\U0001F441", SoundEffect::whisper, "Seen on Google!", ReactionContext::seo, MetricKind::impressions},
    {TriggerEventKind::gscAvgPosition, "avgPosition", IntegrationProvider::googleSearchConsole,
     "Ranking improved", "Google Search Console average position improved", "\U0001F3C6", "Ranking improved",
     "\U0001F3C6", SoundEffect::applause, "Ranking up!", ReactionContext::seo, MetricKind::avgPosition},
    {TriggerEventKind::gscCTR, "ctr", IntegrationProvider::googleSearchConsole, "CTR up",
     "Search click-through rate rose", "\U0001F4C8", "CTR up", "\U0001F4C8", SoundEffect::chaChing,
     "CTR flex!", ReactionContext::seo, MetricKind::ctr},
}};
static_assert(EnumNames::rowsInDeclarationOrder(kRows, &Row::kind));

struct LegacyName {
    const char* text;
    std::optional<TriggerEventKind> kind;
};

const std::array<LegacyName, 13> kLegacyNames = {{
    {"stripePurchase", TriggerEventKind::stripeCharge},
    {"stripePartialRefund", std::nullopt},
    {"stripeHighValuePurchase", std::nullopt},
    {"stripeDispute", std::nullopt},
    {"stripePaymentFailed", std::nullopt},
    {"gaNewSession", TriggerEventKind::gaSessions},
    {"gaNewUser", TriggerEventKind::gaUsers},
    {"gaNewPageview", TriggerEventKind::gaPageviews},
    {"datafastNewVisitor", TriggerEventKind::datafastVisitors},
    {"datafastGoalCompletion", TriggerEventKind::datafastGoals},
    {"datafastNewPageview", TriggerEventKind::datafastSessions},
    {"gscNewClick", TriggerEventKind::gscClicks},
    {"gscNewImpression", TriggerEventKind::gscImpressions},
}};

TavikEventDefinition toDefinition(const Row& row) {
    return TavikEventDefinition{
        row.kind,
        QString::fromUtf8(row.tavikId),
        row.provider,
        QString::fromUtf8(row.displayName),
        QString::fromUtf8(row.subtitle),
        QString::fromUtf8(row.emoji),
        QString::fromUtf8(row.defaultTriggerName),
        ReactionConfig{QString::fromUtf8(row.reactionEmoji), row.sound, QString::fromUtf8(row.message)},
        row.context,
        row.metricKind,
        !row.metricKind.has_value(),
    };
}

} // namespace

namespace TavikEventCatalog {

const QList<TavikEventDefinition>& all() {
    static const QList<TavikEventDefinition> definitions = [] {
        QList<TavikEventDefinition> list;
        for (const Row& row : kRows)
            list.append(toDefinition(row));
        return list;
    }();
    return definitions;
}

const TavikEventDefinition& definition(TriggerEventKind kind) {
    // Rows are in the kinds' declaration order (checked where the rows are written).
    return all()[static_cast<qsizetype>(kind)];
}

std::optional<TriggerEventKind> kind(MetricKind metric, IntegrationProvider provider) {
    for (const TavikEventDefinition& d : all()) {
        if (d.metricKind == metric && d.provider == provider)
            return d.kind;
    }
    return std::nullopt;
}

QList<TavikEventDefinition> available(IntegrationProvider provider) {
    QList<TavikEventDefinition> list;
    for (const TavikEventDefinition& d : all()) {
        if (d.provider == provider)
            list.append(d);
    }
    return list;
}

std::optional<TriggerEventKind> migrateLegacyKind(const QString& text) {
    for (const LegacyName& legacy : kLegacyNames) {
        if (text == QLatin1String(legacy.text))
            return legacy.kind;
    }
    return TriggerEventKinds::fromRawValue(text);
}

} // namespace TavikEventCatalog
