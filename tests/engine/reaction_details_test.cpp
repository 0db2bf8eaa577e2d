#include "engine/reaction_copy.h"
#include "engine/reaction_details.h"
#include "providers/demo/demo_provider.h"
#include "support/scripted_random_source.h"

#include <gtest/gtest.h>

namespace {

std::optional<QString> text(const char* utf8) {
    return QString::fromUtf8(utf8);
}

TEST(ReactionDetails, FormattedAmount) {
    ReactionDetails goalCurrency = ReactionDetails::forGoal(MetricKind::revenueToday, 120, 100);
    ReactionDetails goalPlain = ReactionDetails::forGoal(MetricKind::sessionsToday, 120.4, 100);
    ReactionDetails goalWithoutTarget = goalPlain;
    goalWithoutTarget.targetValue.reset();
    goalWithoutTarget.amountLine = QStringLiteral("fallback");
    ReactionDetails cents;
    cents.context = ReactionContext::purchase;
    cents.amountCents = 1999;
    cents.amountLine = QStringLiteral("ignored");
    ReactionDetails negative = cents;
    negative.amountCents = -250;
    ReactionDetails lineOnly;
    lineOnly.amountLine = QStringLiteral("+12 \u00B7 40 total");
    const ReactionDetails nothing;
    const struct {
        const char* name;
        ReactionDetails details;
        std::optional<QString> expected;
    } cases[] = {
        {"goal currency", goalCurrency, text("$120 / $100")},
        {"goal plain", goalPlain, text("120 / 100")},
        {"goal missing target", goalWithoutTarget, text("fallback")},
        {"cents", cents, text("$19.99")},
        {"negative cents", negative, text("$-2.50")},
        {"line only", lineOnly, lineOnly.amountLine},
        {"nothing", nothing, std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.details.formattedAmount(), c.expected) << c.name;
}

TEST(ReactionDetails, FromStripe) {
    StripeTransactionDetails tx;
    tx.amountCents = 4900;
    tx.chargeId = QStringLiteral("ch_1");
    tx.customerName = QStringLiteral("Ada");
    tx.customerEmail = QStringLiteral("ada@example.com ");
    tx.productName = QStringLiteral("Pro");
    tx.planOrPackage = QStringLiteral("Annual");
    tx.headline = QStringLiteral("Big one");

    ReactionDetails expected;
    expected.context = ReactionContext::subscription;
    expected.headline = QStringLiteral("Big one");
    expected.buyerLine = QString::fromUtf8("Ada \u00B7 ada@example.com");
    expected.productLine = QStringLiteral("Pro");
    expected.planLine = QStringLiteral("Annual");
    expected.amountLine = QStringLiteral("$49.00 paid");
    expected.amountCents = 4900;
    EXPECT_EQ(ReactionDetails::fromStripe(tx, TriggerEventKind::stripeSubscriptionRenewal), expected);

    // Without a kind the refund flag decides the stamp.
    tx.isRefund = true;
    expected.context = ReactionContext::refund;
    expected.amountLine = QStringLiteral("$49.00 refunded");
    EXPECT_EQ(ReactionDetails::fromStripe(tx, std::nullopt), expected);
    tx.isRefund = false;
    EXPECT_EQ(ReactionDetails::fromStripe(tx, std::nullopt).context, ReactionContext::purchase);
}

TEST(ReactionDetails, AmountsInTheirOwnCurrency) {
    const struct {
        const char* currency;
        qint64 amount;
        const char* line;
        const char* subtitle;
    } cases[] = {
        {"JPY", 1500, "\u00A51500 paid", "\u00A51500 purchase"},
        {"EUR", 1999, "\u20AC19.99 paid", "\u20AC19.99 purchase"},
        {"USD", 1999, "$19.99 paid", "$19.99 purchase"},
    };
    for (const auto& c : cases) {
        StripeTransactionDetails tx;
        tx.amountCents = c.amount;
        tx.currencyCode = QString::fromUtf8(c.currency);
        const ReactionCopy copy = ReactionCopy::forEvent(ProviderEvent::stripe(
            IntegrationProvider::stripe, TriggerEventKind::stripeCharge, tx, QDateTime()));
        EXPECT_EQ(copy.subtitle, QString::fromUtf8(c.subtitle)) << c.currency;
        ASSERT_TRUE(copy.details) << c.currency;
        EXPECT_EQ(copy.details->amountLine, QString::fromUtf8(c.line)) << c.currency;
        EXPECT_EQ(copy.details->formattedAmount(), copy.details->amountLine->chopped(5)) << c.currency;
    }
    // Three decimals for a three-decimal currency.
    EXPECT_EQ(CurrencyFormat::formatMinorUnits(12345, QStringLiteral("BHD")),
              CurrencyFormat::symbol(QStringLiteral("BHD")) + QStringLiteral("12.345"));
}

TEST(ReactionDetails, FromMetricEvent) {
    const MetricIncreaseEvent rise{TriggerEventKind::gaSessions, MetricKind::sessions, 12, 340, false};
    ReactionDetails expected;
    expected.context = ReactionContext::traffic;
    expected.headline = QStringLiteral("Sessions up");
    expected.amountLine = QString::fromUtf8("+12 \u00B7 340 total");
    expected.metricLabel = MetricKinds::displayName(MetricKind::sessions);
    expected.currentValue = 340;
    expected.targetValue = 12;
    EXPECT_EQ(ReactionDetails::fromMetricEvent(rise), expected);
}

TEST(ReactionDetails, DemoFactoriesUseTheirRanges) {
    ScriptedRandomSource random;
    random.queueFractions({1.0, 0.0, 1.0, 0.5});
    const ReactionDetails purchase = ReactionDetails::demoPurchase(random);
    EXPECT_EQ(purchase.buyerLine, text("Taylor Kim \u00B7 taylor.kim@example.com"));
    EXPECT_EQ(purchase.productLine, text("Zingboard Pro"));
    EXPECT_EQ(purchase.planLine, text("Starter pack"));
    EXPECT_EQ(purchase.amountCents, 7900);
    EXPECT_EQ(purchase.amountLine, text("$79.00 paid"));
    EXPECT_EQ(purchase.context, ReactionContext::purchase);
    EXPECT_FALSE(purchase.headline);

    random.queueFractions({1.0});
    const ReactionDetails refund = ReactionDetails::demoRefund(random);
    EXPECT_EQ(refund.amountCents, 4900);
    EXPECT_EQ(refund.amountLine, text("$49.00 refunded"));
    EXPECT_EQ(refund.buyerLine, DemoProvider::refundEmail());

    const struct {
        MetricKind metric;
        double low, high;
    } deltas[] = {{MetricKind::mrr, 5, 120},
                  {MetricKind::ctr, 0.2, 2.5},
                  {MetricKind::avgPosition, 0.1, 0.8},
                  {MetricKind::sessions, 1, 12}};
    for (const auto& d : deltas) {
        random.queueFractions({0.0, 1.0});
        EXPECT_DOUBLE_EQ(ReactionDetails::demoDelta(d.metric, random), d.low);
        EXPECT_DOUBLE_EQ(ReactionDetails::demoDelta(d.metric, random), d.high);
    }
    random.queueFractions({1.0, 1.0, 1.0});
    EXPECT_DOUBLE_EQ(ReactionDetails::demoTotal(MetricKind::mrr, 10, random), 8010);
    EXPECT_DOUBLE_EQ(ReactionDetails::demoTotal(MetricKind::usersGrowth, 1, random), 16);
    EXPECT_DOUBLE_EQ(ReactionDetails::demoTotal(MetricKind::sessions, 2, random), 502);
    EXPECT_DOUBLE_EQ(ReactionDetails::demoTotal(MetricKind::avgPosition, 8, random), 1.0);
    EXPECT_DOUBLE_EQ(ReactionDetails::demoTotal(MetricKind::ctr, 99, random), 100);
}

TEST(ReactionDetails, DemoForKind) {
    ScriptedRandomSource random;
    ReactionDetails subscription;
    subscription.context = ReactionContext::subscription;
    subscription.buyerLine = DemoProvider::subscriberEmail();
    subscription.productLine = QStringLiteral("Zingboard Pro");
    subscription.planLine = QStringLiteral("Monthly");
    subscription.amountLine = QStringLiteral("$19.00");
    subscription.amountCents = 1900;
    EXPECT_EQ(ReactionDetails::demo(TriggerEventKind::stripeSubscriptionUpdated, random), subscription);
    EXPECT_EQ(ReactionDetails::demo(TriggerEventKind::stripeSubscriptionCanceled, random).context,
              ReactionContext::refund);
    EXPECT_EQ(ReactionDetails::demo(TriggerEventKind::stripeCheckoutComplete, random).context,
              ReactionContext::purchase);

    random.queueFractions({0.0, 0.0});
    const ReactionDetails position = ReactionDetails::demo(TriggerEventKind::gscAvgPosition, random);
    EXPECT_EQ(position,
              ReactionDetails::fromMetricEvent(MetricIncreaseEvent{
                  TriggerEventKind::gscAvgPosition, MetricKind::avgPosition, 0.1, 8.5 - 0.1, true}));
}

TEST(ReactionCopy, SubtitlesAndDetails) {
    const QDateTime at(QDate(2026, 12, 7), QTime(10, 0), Qt::UTC);
    StripeTransactionDetails anonymous;
    anonymous.amountCents = 1250;
    StripeTransactionDetails named = anonymous;
    named.customerEmail = QStringLiteral(" bob@example.com");
    using K = TriggerEventKind;
    const struct {
        K kind;
        StripeTransactionDetails tx;
        const char* subtitle;
    } cases[] = {
        {K::stripeCharge, anonymous, "$12.50 purchase"},
        {K::stripeCheckoutComplete, anonymous, "$12.50 purchase"},
        {K::stripeRefund, anonymous, "$12.50 refund"},
        {K::stripeSubscriptionCanceled, anonymous, "$12.50 refund"},
        {K::stripeSubscriptionRenewal, anonymous, "Subscription renewed"},
        {K::stripeNewSubscription, anonymous, "New subscription"},
        {K::stripeSubscriptionUpdated, anonymous, "New subscription"},
        {K::stripeRefund, named, "bob@example.com"},
    };
    for (const auto& c : cases) {
        const ReactionCopy copy =
            ReactionCopy::forEvent(ProviderEvent::stripe(IntegrationProvider::stripe, c.kind, c.tx, at));
        EXPECT_EQ(copy,
                  (ReactionCopy{QString::fromUtf8(c.subtitle), ReactionDetails::fromStripe(c.tx, c.kind)}))
            << c.subtitle;
    }

    const MetricIncreaseEvent rise{K::gaSessions, MetricKind::sessions, 12, 340, false};
    const ReactionCopy copy =
        ReactionCopy::forEvent(ProviderEvent::metricIncrease(IntegrationProvider::googleAnalytics, rise, at));
    EXPECT_EQ(copy.subtitle,
              QStringLiteral("+12 ") + MetricKinds::displayName(MetricKind::sessions).toLower());
    EXPECT_EQ(copy.details, ReactionDetails::fromMetricEvent(rise));
}

} // namespace
