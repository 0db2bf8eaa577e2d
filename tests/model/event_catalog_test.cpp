#include "model/metric_increase_event.h"
#include "model/reaction_context.h"
#include "model/tavik_event_catalog.h"

#include <gtest/gtest.h>

namespace {

QList<uint> codePoints(const QString& s) {
    QList<uint> points;
    for (char32_t c : s.toUcs4())
        points.append(c);
    return points;
}

} // namespace

TEST(EventCatalog, OneRowPerKindInTheKindsOrder) {
    const auto& rows = TavikEventCatalog::all();
    ASSERT_EQ(rows.size(), TriggerEventKinds::allCases().size());
    for (qsizetype i = 0; i < rows.size(); ++i) {
        const TavikEventDefinition& row = rows[i];
        const std::string raw = TriggerEventKinds::rawValue(row.kind).toStdString();
        EXPECT_EQ(row.kind, TriggerEventKinds::allCases()[i]) << i;
        EXPECT_EQ(TavikEventCatalog::definition(row.kind), row);
        EXPECT_EQ(row.isInstantStripeEvent, !row.metricKind.has_value()) << raw;
        if (row.isInstantStripeEvent) {
            EXPECT_EQ(row.provider, IntegrationProvider::stripe) << raw;
        }
        EXPECT_TRUE(SoundEffects::allCases().contains(row.defaultReaction.sound)) << raw;
        EXPECT_FALSE(row.displayName.isEmpty() || row.subtitle.isEmpty() || row.emoji.isEmpty() ||
                     row.defaultTriggerName.isEmpty() || row.defaultReaction.message.isEmpty() ||
                     row.defaultReaction.emoji.isEmpty() || row.tavikId.isEmpty())
            << raw;
        // Every watched metric leads back to its own row.
        if (row.metricKind) {
            EXPECT_EQ(TavikEventCatalog::kind(*row.metricKind, row.provider), row.kind) << raw;
        }
    }
}

TEST(EventCatalog, RowsVerbatim) {
    using namespace TavikEventCatalog;
    const auto& charge = definition(TriggerEventKind::stripeCharge);
    EXPECT_EQ(charge.tavikId, QStringLiteral("charges"));
    EXPECT_EQ(charge.displayName, QStringLiteral("New payment"));
    EXPECT_EQ(codePoints(charge.emoji), QList<uint>{0x1F4B0});
    EXPECT_EQ(codePoints(charge.defaultReaction.emoji), QList<uint>{0x1F680});
    EXPECT_EQ(charge.defaultReaction.message, QStringLiteral("Ka-ching!"));
    EXPECT_EQ(charge.reactionContext, ReactionContext::purchase);

    const auto& canceled = definition(TriggerEventKind::stripeSubscriptionCanceled);
    EXPECT_EQ(codePoints(canceled.defaultReaction.message),
              (QList<uint>{'T', 'h', 'e', 'y', ' ', 'l', 'e', 'f', 't', 0x2026}));
    EXPECT_EQ(canceled.defaultReaction.sound, SoundEffect::sadTrombone);
    EXPECT_EQ(canceled.reactionContext, ReactionContext::refund);
    EXPECT_EQ(canceled.tavikId, QStringLiteral("customer.subscription.deleted"));

    const auto& recurring = definition(TriggerEventKind::stripeRecurringMRR);
    EXPECT_EQ(codePoints(recurring.emoji), QList<uint>{0x1F501});
    EXPECT_EQ(codePoints(recurring.defaultReaction.emoji), QList<uint>{0x1F4C8});
    EXPECT_EQ(recurring.defaultTriggerName, QStringLiteral("MRR up"));

    const auto& impressions = definition(TriggerEventKind::gscImpressions);
    EXPECT_EQ(codePoints(impressions.emoji), QList<uint>{0x1F441}); // no variation selector
    EXPECT_EQ(impressions.defaultReaction.message, QStringLiteral("Seen on Google!"));

    const auto& sessions = definition(TriggerEventKind::datafastSessions);
    EXPECT_EQ(sessions.tavikId, QStringLiteral("sessions"));
    EXPECT_EQ(sessions.displayName, QStringLiteral("Sessions up"));
    EXPECT_EQ(sessions.defaultTriggerName, QStringLiteral("Datafast sessions up"));
    EXPECT_EQ(codePoints(sessions.emoji), QList<uint>{0x26A1});

    const auto& signups = definition(TriggerEventKind::gaSignups);
    EXPECT_EQ(signups.subtitle, QStringLiteral("Google Analytics sign_up events increased"));
    EXPECT_EQ(signups.reactionContext, ReactionContext::conversion);
}

TEST(EventCatalog, Lookups) {
    using namespace TavikEventCatalog;
    using P = IntegrationProvider;
    struct Case {
        MetricKind metric;
        P provider;
        std::optional<TriggerEventKind> expected;
    };
    const Case cases[] = {
        {MetricKind::sessions, P::googleAnalytics, TriggerEventKind::gaSessions},
        {MetricKind::sessions, P::datafast, std::nullopt},
        {MetricKind::datafastSessions, P::datafast, TriggerEventKind::datafastSessions},
        {MetricKind::avgPosition, P::googleSearchConsole, TriggerEventKind::gscAvgPosition},
        {MetricKind::revenueToday, P::stripe, std::nullopt},
        {MetricKind::clicks, P::demo, std::nullopt},
        {MetricKind::mrr, P::stripe, TriggerEventKind::stripeMRR},
    };
    for (const Case& c : cases)
        EXPECT_EQ(kind(c.metric, c.provider), c.expected) << MetricKinds::rawValue(c.metric).toStdString();

    EXPECT_EQ(available(P::stripe).size(), 15);
    EXPECT_EQ(available(P::googleAnalytics).size(), 13);
    EXPECT_TRUE(available(P::demo).isEmpty());
    QList<TriggerEventKind> datafast;
    for (const auto& d : available(P::datafast))
        datafast.append(d.kind);
    EXPECT_EQ(datafast,
              (QList<TriggerEventKind>{TriggerEventKind::datafastSessions, TriggerEventKind::datafastVisitors,
                                       TriggerEventKind::datafastRevenue, TriggerEventKind::datafastGoals}));
}

TEST(EventCatalog, MigrateLegacyKind) {
    using K = TriggerEventKind;
    const std::pair<const char*, std::optional<K>> cases[] = {
        {"stripePurchase", K::stripeCharge},
        {"stripePartialRefund", std::nullopt},
        {"stripeHighValuePurchase", std::nullopt},
        {"stripeDispute", std::nullopt},
        {"stripePaymentFailed", std::nullopt},
        {"gaNewSession", K::gaSessions},
        {"gaNewUser", K::gaUsers},
        {"gaNewPageview", K::gaPageviews},
        {"datafastNewVisitor", K::datafastVisitors},
        {"datafastGoalCompletion", K::datafastGoals},
        {"datafastNewPageview", K::datafastSessions},
        {"gscNewClick", K::gscClicks},
        {"gscNewImpression", K::gscImpressions},
        {"gscCTR", K::gscCTR},
        {"stripeCharge", K::stripeCharge},
        {"GANewSession", std::nullopt},
        {"", std::nullopt},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_EQ(TavikEventCatalog::migrateLegacyKind(QString::fromLatin1(text)), expected) << text;
    for (K k : TriggerEventKinds::allCases())
        EXPECT_EQ(TavikEventCatalog::migrateLegacyKind(TriggerEventKinds::rawValue(k)), k);
}

TEST(ReactionContexts, StampsVerbatim) {
    struct Case {
        ReactionContext context;
        const char* text;
        QList<uint> emoji;
    };
    using C = ReactionContext;
    const Case cases[] = {
        {C::purchase, "NEW SALE", {0x1F4B0}},
        {C::refund, "REFUND", {0x1F4B8}},
        {C::goal, "GOAL HIT", {0x1F3AF}},
        {C::test, "TEST RUN", {0x1F9EA}},
        {C::traffic, "TRAFFIC UP", {0x1F4C8}},
        {C::conversion, "CONVERTED", {0x26A1}},
        {C::seo, "SEO WIN", {0x1F50D}},
        {C::subscription, "SUBSCRIBED", {0x1F501}},
        {C::revenue, "REVENUE UP", {0x1F4C8}},
        {C::whale, "WHALE ALERT", {0x1F40B}},
        {C::dispute, "DISPUTE", {0x26A0, 0xFE0F}},
        {C::failed, "PAYMENT FAILED", {0x274C}},
    };
    ASSERT_EQ(ReactionContexts::allCases().size(), std::size(cases));
    for (size_t i = 0; i < std::size(cases); ++i) {
        const Case& c = cases[i];
        EXPECT_EQ(ReactionContexts::allCases()[qsizetype(i)], c.context);
        EXPECT_EQ(ReactionContexts::stampText(c.context), QString::fromLatin1(c.text));
        EXPECT_EQ(codePoints(ReactionContexts::stampEmoji(c.context)), c.emoji) << c.text;
        EXPECT_EQ(ReactionContexts::fromRawValue(ReactionContexts::rawValue(c.context)), c.context);
    }
}

TEST(MetricIncreaseEvent, FormattedTexts) {
    using M = MetricKind;
    struct Case {
        M metric;
        double delta;
        double total;
        bool lowerIsBetter;
        const char* formattedDelta;
        const char* formattedTotal;
    };
    const Case cases[] = {
        {M::avgPosition, 0.1, 8.1, true, "\u21910.1", "8.1 avg"},
        {M::avgPosition, 2.25, 12.0, true, "\u21912.2", "12.0 avg"},
        {M::ctr, 0.15, 3.26, false, "+0.1%", "3.3%"},
        {M::usersGrowth, 12.0, 40.04, false, "+12.0%", "40.0%"},
        {M::revenue7d, 0.02, 1234.5, false, "+$0", "$1234 total"},
        {M::datafastRevenue, 49.5, 1000.6, false, "+$50", "$1001 total"},
        {M::mrr, 1500000, 2500000, false, "+$1500000", "$2500000 total"},
        {M::sessions, 1.0, 1234.0, false, "+1", "1234 total"},
        {M::clicks, 2.6, 10.4, false, "+3", "10 total"},
        {M::customers, 1, 0, false, "+1", "0 total"},
    };
    for (const Case& c : cases) {
        const MetricIncreaseEvent event{TriggerEventKind::stripeCharge, c.metric, c.delta, c.total,
                                        c.lowerIsBetter};
        EXPECT_EQ(event.formattedDelta(), QString::fromUtf8(c.formattedDelta)) << c.formattedDelta;
        EXPECT_EQ(event.formattedTotal(), QString::fromUtf8(c.formattedTotal)) << c.formattedTotal;
    }
}
