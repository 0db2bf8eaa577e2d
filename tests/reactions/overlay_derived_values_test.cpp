#include "overlay_test_support.h"
#include "reactions/emoji_rain_overlay.h"
#include "reactions/meme_reaction_overlay.h"
#include "reactions/reaction_accent.h"
#include "reactions/subtle_reaction_toast.h"
#include "reactions/zing_theme.h"

#include <gtest/gtest.h>

using namespace overlay_test;

namespace {

const QString ownEmoji = QString::fromUtf8("\U0001F984"); // unicorn

struct ContextRow {
    std::optional<ReactionContext> context; // absent: no details at all
    QColor accent;
    ZingGradient gradient;
    const char* stampEmoji;
    const char* stampText;
    const char* rainSymbol; // nullptr: the reaction's own emoji
    double stampAngle;
};

QList<ContextRow> contextRows() {
    using namespace ZingTheme;
    const ZingGradient seo{rgb(0.35, 0.75, 1.0), electricPurple(), QPointF(0, 0.5), QPointF(1, 0.5)};
    return {
        {std::nullopt, electricPurple(), heroGradient(), "\U0001F3AF", "GOAL HIT", nullptr, -6},
        {ReactionContext::purchase, moneyGreen(), moneyGradient(), "\U0001F4B0", "NEW SALE", "\U0001F4B0",
         -6},
        {ReactionContext::refund, refundRed(), refundGradient(), "\U0001F4B8", "REFUND", "\U0001F4B8", 6},
        {ReactionContext::goal, electricPurple(), heroGradient(), "\U0001F3AF", "GOAL HIT", nullptr, -6},
        {ReactionContext::test, hotPink(), heroGradient(), "\U0001F9EA", "TEST RUN", nullptr, -6},
        {ReactionContext::traffic, lime(), moneyGradient(), "\U0001F4C8", "TRAFFIC UP", "\U0001F4C8", -6},
        {ReactionContext::conversion, electricPurple(), heroGradient(), "\u26A1", "CONVERTED", "\U0001F3AF",
         -6},
        {ReactionContext::seo, rgb(0.35, 0.75, 1.0), seo, "\U0001F50D", "SEO WIN", "\U0001F50D", -6},
        {ReactionContext::subscription, electricPurple(), heroGradient(), "\U0001F501", "SUBSCRIBED",
         "\U0001F501", -6},
        {ReactionContext::revenue, moneyGreen(), moneyGradient(), "\U0001F4C8", "REVENUE UP", "\U0001F4C8",
         -6},
        {ReactionContext::whale, moneyGreen(), moneyGradient(), "\U0001F40B", "WHALE ALERT", "\U0001F40B",
         -6},
        {ReactionContext::dispute, refundRed(), refundGradient(), "\u26A0\uFE0F", "DISPUTE", "\u26A0\uFE0F",
         -6},
        {ReactionContext::failed, warning(), refundGradient(), "\u274C", "PAYMENT FAILED", "\u274C", -6},
    };
}

TEST(ReactionLook, AccentStampAndRainPerContext) {
    const auto rows = contextRows();
    // Every context has its row, plus the row for absent details.
    ASSERT_EQ(rows.size(), ReactionContexts::allCases().size() + 1);
    for (const ContextRow& row : rows) {
        const std::optional<ReactionDetails> d =
            row.context ? std::optional<ReactionDetails>(details(*row.context)) : std::nullopt;
        const QString name = row.context ? ReactionContexts::rawValue(*row.context) : QStringLiteral("none");
        SCOPED_TRACE(name.toStdString());
        EXPECT_EQ(ReactionAccent::accent(d), row.accent);
        EXPECT_EQ(ReactionAccent::accentGradient(d), row.gradient);
        EXPECT_EQ(ReactionAccent::stampEmoji(d), QString::fromUtf8(row.stampEmoji));
        EXPECT_EQ(ReactionAccent::stampText(d), QString::fromUtf8(row.stampText));
        EXPECT_EQ(MemeReactionOverlay::finalStampAngle(d), row.stampAngle);
        EXPECT_EQ(EmojiRainOverlay::fallingSymbol(ownEmoji, d),
                  row.rainSymbol ? QString::fromUtf8(row.rainSymbol) : ownEmoji);
    }
}

TEST(ReactionLook, PaletteValues) {
    EXPECT_EQ(ZingTheme::hotPink(), QColor::fromRgbF(1.0f, 0.18f, 0.55f));
    EXPECT_NEAR(ZingTheme::inkMuted().alphaF(), 0.72, 1e-4);
    EXPECT_NEAR(ZingTheme::inkFaint().alphaF(), 0.48, 1e-4);
    // Gradient directions: hero runs diagonally, money left to right, the panel top to bottom.
    const QRectF box(10, 20, 100, 50);
    const QLinearGradient hero = ZingTheme::heroGradient().in(box);
    EXPECT_EQ(hero.start(), QPointF(10, 20));
    EXPECT_EQ(hero.finalStop(), QPointF(110, 70));
    const QLinearGradient money = ZingTheme::moneyGradient().in(box);
    EXPECT_EQ(money.start(), QPointF(10, 45));
    EXPECT_EQ(money.finalStop(), QPointF(110, 45));
    const QLinearGradient panel = ZingTheme::panelBackground().in(box);
    EXPECT_EQ(panel.start(), QPointF(60, 20));
    EXPECT_EQ(panel.finalStop(), QPointF(60, 70));
    EXPECT_EQ(panel.stops().last().second, ZingTheme::rgb(0.1, 0.06, 0.17));
}

TEST(ReactionLook, DetailChips) {
    struct Case {
        const char* name;
        std::optional<ReactionDetails> details;
        std::optional<QStringList> chips;
    };
    ReactionDetails goalWithAll = goalDetails();
    goalWithAll.productLine = QStringLiteral("Pro");
    goalWithAll.planLine = QStringLiteral("Monthly");
    ReactionDetails trafficWithLabel = trafficDetails(); // the label chip is for goals only
    ReactionDetails planOnly = details(ReactionContext::subscription);
    planOnly.planLine = QStringLiteral("Annual");
    const QList<Case> cases = {
        {"absent details", std::nullopt, std::nullopt},
        {"nothing to show", details(ReactionContext::purchase), std::nullopt},
        {"goal with everything", goalWithAll,
         QStringList{QString::fromUtf8("📊 Revenue today"), QString::fromUtf8("📦 Pro"),
                     QString::fromUtf8("🏷 Monthly")}},
        {"purchase", purchaseDetails(),
         QStringList{QString::fromUtf8("📦 Zingboard Pro"), QString::fromUtf8("🏷 Annual")}},
        {"metric label outside goals", trafficWithLabel, std::nullopt},
        {"plan only", planOnly, QStringList{QString::fromUtf8("🏷 Annual")}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MemeReactionOverlay::detailChips(c.details), c.chips) << c.name;
}

TEST(ReactionLook, MetricLabelLineOnlyForContextsThatShowIt) {
    for (ReactionContext context : ReactionContexts::allCases()) {
        ReactionDetails d = details(context);
        d.metricLabel = QStringLiteral("Sessions");
        const bool shown = context != ReactionContext::purchase && context != ReactionContext::refund &&
                           context != ReactionContext::test && context != ReactionContext::revenue;
        EXPECT_EQ(MemeReactionOverlay::metricLabelLine(d).has_value(), shown)
            << ReactionContexts::rawValue(context).toStdString();
        d.metricLabel.reset();
        EXPECT_FALSE(MemeReactionOverlay::metricLabelLine(d));
    }
    EXPECT_FALSE(MemeReactionOverlay::metricLabelLine(std::nullopt));
}

TEST(ReactionLook, AmountTextAndSizePerContext) {
    using Amount = MemeReactionOverlay::Amount;
    ReactionDetails purchaseLineOnly = details(ReactionContext::purchase);
    purchaseLineOnly.amountLine = QStringLiteral("$19.00 paid");
    ReactionDetails refundLineOnly = details(ReactionContext::refund);
    refundLineOnly.amountLine = QStringLiteral("$5.00 refunded");
    ReactionDetails goalCount = goalDetails();
    goalCount.isCurrencyMetric = false;
    ReactionDetails goalWithoutValues = details(ReactionContext::goal);
    goalWithoutValues.amountLine = QStringLiteral("almost");
    struct Case {
        const char* name;
        std::optional<ReactionDetails> details;
        std::optional<Amount> amount;
    };
    const QList<Case> cases = {
        {"absent details", std::nullopt, std::nullopt},
        {"nothing", details(ReactionContext::traffic), std::nullopt},
        {"cents win over the line", purchaseDetails(), Amount{QStringLiteral("$49.00"), 48}},
        {"purchase line without cents", purchaseLineOnly, Amount{QStringLiteral("$19.00 paid"), 48}},
        {"refund line without cents", refundLineOnly, Amount{QStringLiteral("$5.00 refunded"), 48}},
        {"traffic line", trafficDetails(), Amount{QString::fromUtf8("+12 · 345"), 34}},
        {"goal in dollars", goalDetails(), Amount{QStringLiteral("$120 / $100"), 48}},
        {"goal count", goalCount, Amount{QStringLiteral("120 / 100"), 48}},
        {"goal without values", goalWithoutValues, Amount{QStringLiteral("almost"), 34}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MemeReactionOverlay::amount(c.details), c.amount) << c.name;
    // Every context other than purchase and refund shows a bare line at 34.
    for (ReactionContext context : ReactionContexts::allCases()) {
        ReactionDetails d = details(context);
        d.amountLine = QStringLiteral("+3");
        const int expected =
            (context == ReactionContext::purchase || context == ReactionContext::refund) ? 48 : 34;
        EXPECT_EQ(MemeReactionOverlay::amount(d)->pixelSize, expected)
            << ReactionContexts::rawValue(context).toStdString();
    }
}

TEST(ToastTexts, TitleAndDetailLine) {
    const QString message = QStringLiteral("Ka-ching!");
    const QString subtitle = QStringLiteral("alex@example.com");
    ReactionDetails trafficNoLabel = details(ReactionContext::traffic);
    ReactionDetails trafficLabelNoAmount = details(ReactionContext::traffic);
    trafficLabelNoAmount.metricLabel = QStringLiteral("Sessions");
    struct Case {
        const char* name;
        std::optional<ReactionDetails> details;
        QString subtitle;
        QString title;
        std::optional<QString> detailLine;
    };
    const QList<Case> cases = {
        {"purchase: amount over message", purchaseDetails(), subtitle, QStringLiteral("$49.00"), message},
        {"metric rise: its change line over message", trafficDetails(), subtitle,
         QString::fromUtf8("+12 · 345"), message},
        {"no amount: label under message", trafficLabelNoAmount, subtitle, message,
         QStringLiteral("Sessions")},
        {"no amount, no label: subtitle", trafficNoLabel, subtitle, message, subtitle},
        {"bare message", std::nullopt, QString(), message, std::nullopt},
        {"no details with subtitle", std::nullopt, subtitle, message, subtitle},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SubtleReactionToast::title(message, c.details), c.title) << c.name;
        EXPECT_EQ(SubtleReactionToast::detailLine(message, c.subtitle, c.details), c.detailLine) << c.name;
    }
}

} // namespace
