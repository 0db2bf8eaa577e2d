#include "app/screens/reaction/reaction_preview.h"
#include "app/screens/reaction/reaction_preview_card.h"
#include "reactions/reaction_accent.h"

#include <gtest/gtest.h>

namespace {

TEST(ReactionPreview, StampLeansRightForARefundAndLeftForEverythingElse) {
    for (ReactionContext context : ReactionContexts::allCases())
        EXPECT_EQ(ReactionPreview::stampAngle(context), context == ReactionContext::refund ? 5.0 : -4.0)
            << ReactionContexts::rawValue(context).toStdString();
}

TEST(ReactionPreview, ChipsShowProductAndPlanOnly) {
    ReactionDetails details;
    details.context = ReactionContext::goal;
    details.metricLabel = QStringLiteral("Revenue today"); // the overlay's metric chip has no place here
    EXPECT_FALSE(ReactionPreview::chips(details));
    EXPECT_FALSE(ReactionPreview::chips(std::nullopt));
    EXPECT_TRUE(ReactionPreview::shownChips(ReactionPreview::chips(details)).isEmpty());

    details.planLine = QStringLiteral("Pro yearly");
    EXPECT_EQ(ReactionPreview::chips(details), QStringList{QString::fromUtf8("\U0001F3F7 Pro yearly")});

    details.productLine = QStringLiteral("Starter kit");
    const QStringList both = {QString::fromUtf8("\U0001F4E6 Starter kit"),
                              QString::fromUtf8("\U0001F3F7 Pro yearly")};
    EXPECT_EQ(ReactionPreview::chips(details), both);
    EXPECT_EQ(ReactionPreview::shownChips(both), both);
}

TEST(ReactionPreview, AThirdChipNeverShows) {
    const QStringList three = {QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    EXPECT_EQ(ReactionPreview::shownChips(three), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
}

TEST(ReactionPreview, AmountPrefersGoalFiguresThenTheAmountLine) {
    EXPECT_FALSE(ReactionPreview::amount(std::nullopt));
    EXPECT_EQ(ReactionPreview::amount(ReactionDetails::forGoal(MetricKind::revenueToday, 120, 100)),
              QStringLiteral("$120 / $100"));
    ReactionDetails traffic;
    traffic.context = ReactionContext::traffic;
    EXPECT_FALSE(ReactionPreview::amount(traffic));
    traffic.amountLine = QStringLiteral("+12 sessions");
    EXPECT_EQ(ReactionPreview::amount(traffic), QStringLiteral("+12 sessions"));
}

TEST(ReactionPreview, UsesTheOverlaysAccentForEveryContext) {
    for (ReactionContext context : ReactionContexts::allCases()) {
        ReactionDetails details;
        details.context = context;
        EXPECT_EQ(ReactionAccent::accent(context), ReactionAccent::accent(details));
        EXPECT_EQ(ReactionAccent::accentGradient(context), ReactionAccent::accentGradient(details));
    }
    // The overlay's look without details is the goal row.
    EXPECT_EQ(ReactionAccent::accent(std::nullopt), ReactionAccent::accent(ReactionContext::goal));
}

TEST(ReactionPreviewCard, LongMessageShrinksToThreeQuartersOnTwoLinesBeforeItIsCut) {
    const double width = 280;
    const TextBlock shortOne = ReactionPreviewCard::messageBlock(QStringLiteral("Nice!"), width);
    EXPECT_EQ(shortOne.scale(), 1.0);
    EXPECT_EQ(shortOne.lineCount(), 1);

    const TextBlock longer = ReactionPreviewCard::messageBlock(
        QStringLiteral("Another subscriber joined the monthly plan today"), width);
    EXPECT_LE(longer.lineCount(), 2);
    EXPECT_GE(longer.scale(), 0.75);
    EXPECT_LE(longer.size().width(), width - 32 + 0.5);

    const TextBlock endless = ReactionPreviewCard::messageBlock(
        QStringLiteral("money ").repeated(60) + QStringLiteral(" and then some more words"), width);
    EXPECT_EQ(endless.lineCount(), 2);
    EXPECT_DOUBLE_EQ(endless.scale(), 0.75);
    EXPECT_TRUE(endless.isElided());
}

} // namespace

namespace {

TEST(ReactionPreviewCard, OptionalLinesTakeRoomOnlyWhenPresent) {
    ReactionPreviewCard card;
    card.setReaction({QString::fromUtf8("\U0001F4B0"), SoundEffect::chaChing, QStringLiteral("Nice!")});
    card.setContext(ReactionContext::purchase);
    const int bare = card.heightForWidth(300);

    card.setSubtitle(QString());
    EXPECT_EQ(card.heightForWidth(300), bare);
    ReactionDetails details;
    details.context = ReactionContext::purchase;
    card.setDetails(details); // no amount, no product, no plan
    EXPECT_EQ(card.heightForWidth(300), bare);

    details.productLine = QStringLiteral("Starter kit");
    card.setDetails(details);
    const int withChips = card.heightForWidth(300);
    EXPECT_GT(withChips, bare);
    details.planLine = QStringLiteral("Pro yearly"); // a second chip shares the row
    card.setDetails(details);
    EXPECT_EQ(card.heightForWidth(300), withChips);

    card.setSubtitle(QStringLiteral("Alex bought Starter kit"));
    EXPECT_GT(card.heightForWidth(300), withChips);
}

} // namespace
