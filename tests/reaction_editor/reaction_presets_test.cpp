#include "app/screens/reaction/goal_reaction_presets.h"
#include "app/screens/reaction/trigger_reaction_presets.h"

#include <gtest/gtest.h>

namespace {

QStringList labels(const QList<ReactionPreset>& presets) {
    QStringList result;
    for (const ReactionPreset& preset : presets)
        result.append(preset.label);
    return result;
}

QStringList row(std::initializer_list<const char*> names) {
    QStringList result;
    for (const char* name : names)
        result.append(QString::fromUtf8(name));
    return result;
}

TEST(GoalReactionPresets, FollowTheMetricGroup) {
    const struct {
        MetricKind metric;
        QStringList expected;
    } cases[] = {
        {MetricKind::avgPosition, row({"Rank", "Glow", "Top", "SEO"})},
        {MetricKind::sessions, row({"Party", "Fire", "Flex", "100"})},
        // Currency metrics from three different sources share one row.
        {MetricKind::revenueToday, row({"Bag", "Moon", "Rich", "Goat"})},
        {MetricKind::recurringMrr, row({"Bag", "Moon", "Rich", "Goat"})},
        {MetricKind::datafastRevenue, row({"Bag", "Moon", "Rich", "Goat"})},
        {MetricKind::ctr, row({"Up", "Fire", "Eyes", "Win"})},
        {MetricKind::usersGrowth, row({"Up", "Fire", "Eyes", "Win"})},
        // A count of money events is not a currency metric.
        {MetricKind::purchaseCountToday, row({"Party", "Fire", "Flex", "100"})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(labels(GoalReactionPresets::presets(c.metric)), c.expected)
            << MetricKinds::rawValue(c.metric).toStdString();
}

TEST(TriggerReactionPresets, ContextsWithoutARowOfTheirOwnShareThePartyRow) {
    for (ReactionContext context : {ReactionContext::whale, ReactionContext::dispute, ReactionContext::failed,
                                    ReactionContext::goal, ReactionContext::test})
        EXPECT_EQ(labels(TriggerReactionPresets::presets(context)), row({"Party", "Fire", "Zoom", "Cha"}))
            << ReactionContexts::rawValue(context).toStdString();
}

TEST(TriggerReactionPresets, FollowTheEventCatalogsContextNotTheSource) {
    const struct {
        TriggerEventKind kind;
        QStringList expected;
    } cases[] = {
        {TriggerEventKind::stripeCharge, row({"Classic", "Liftoff", "Flex", "Bag"})},
        // A cancelled subscription is a loss, not a subscription moment.
        {TriggerEventKind::stripeSubscriptionCanceled, row({"Rage", "Sad", "Chaos", "Ghost"})},
        {TriggerEventKind::stripeMRR, row({"Money", "Bank", "Chart", "Flex"})},
        {TriggerEventKind::gaSignups, row({"Goal", "Bag", "Goat", "Win"})},
        {TriggerEventKind::gscAvgPosition, row({"Click", "Rank", "Seen", "Glow"})},
        {TriggerEventKind::datafastVisitors, row({"Hype", "Zoom", "Eyes", "Fire"})},
        {TriggerEventKind::stripeTrials, row({"Sub", "MRR", "New", "Recur"})},
    };
    for (const auto& c : cases)
        EXPECT_EQ(labels(TriggerReactionPresets::presets(c.kind)), c.expected)
            << TriggerEventKinds::rawValue(c.kind).toStdString();
}

TEST(ReactionPresets, EveryPresetIsACompleteReactionWithTypographicEllipses) {
    QList<ReactionPreset> all;
    for (MetricKind metric : MetricKinds::allCases())
        all += GoalReactionPresets::presets(metric);
    for (ReactionContext context : ReactionContexts::allCases())
        all += TriggerReactionPresets::presets(context);
    for (const ReactionPreset& preset : all) {
        EXPECT_FALSE(preset.label.isEmpty());
        EXPECT_FALSE(preset.config.emoji.isEmpty()) << preset.label.toStdString();
        EXPECT_FALSE(preset.config.message.isEmpty()) << preset.label.toStdString();
        EXPECT_FALSE(preset.config.message.contains(QStringLiteral("...")))
            << preset.config.message.toStdString();
    }
    const auto refund = TriggerReactionPresets::presets(ReactionContext::refund);
    EXPECT_EQ(refund.at(1).config.message, QString::fromUtf8("Why tho\u2026"));
    EXPECT_EQ(refund.at(3).config.message, QString::fromUtf8("Money gone\u2026"));
}

} // namespace
