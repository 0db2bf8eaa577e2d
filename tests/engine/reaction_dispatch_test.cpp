#include "engine_fixture.h"
#include "providers/demo/demo_provider.h"

namespace {

using K = TriggerEventKind;

class ReactionDispatch : public EngineTest {
protected:
    const ReactionConfig config{QStringLiteral("E"), SoundEffect::airhorn, QStringLiteral("Boom")};
};

TEST_F(ReactionDispatch, IntensityFollowsTheNotificationStyle) {
    const struct {
        NotificationStyle style;
        double intensity;
    } cases[] = {{NotificationStyle::subtle, 0.45}, {NotificationStyle::celebration, 1.0}};
    for (const auto& c : cases) {
        AppSettings settings = engine().settings();
        settings.notificationStyle = c.style;
        engine().setSettings(settings);
        sound.played.clear();
        engine().fireReaction(config, QStringLiteral("s"), std::nullopt);
        EXPECT_EQ(sound.played, (QList<QPair<SoundEffect, double>>{{SoundEffect::airhorn, c.intensity}}));
    }
}

TEST_F(ReactionDispatch, TestOfAMetricTrigger) {
    const EventTrigger trigger = makeTrigger(IntegrationProvider::googleAnalytics, K::gaSessions, "sessions");
    engine().testReaction(config, QStringLiteral("ignored"), std::nullopt, std::nullopt, trigger);
    ASSERT_EQ(fired.size(), 1);
    EXPECT_EQ(fired[0].subtitle, QString::fromUtf8("Sessions up \u2014 test"));
    ASSERT_TRUE(fired[0].details && fired[0].details->amountLine);
    EXPECT_TRUE(fired[0].details->amountLine->startsWith(QLatin1Char('+')));
    EXPECT_EQ(fired[0].details->context, ReactionContext::traffic);
    EXPECT_EQ(fired[0].config, config);
}

TEST_F(ReactionDispatch, TestOfStripeTriggers) {
    const struct {
        K kind;
        QString subtitle;
    } cases[] = {
        {K::stripeRefund, DemoProvider::refundEmail()},
        {K::stripeSubscriptionCanceled, DemoProvider::refundEmail()},
        {K::stripeNewSubscription, DemoProvider::subscriberEmail()},
        {K::stripeCharge, QString::fromUtf8("Alex Chen \u00B7 alex.chen@example.com")},
    };
    for (const auto& c : cases) {
        fired.clear();
        engine().testReaction(config, std::nullopt, std::nullopt, std::nullopt,
                              makeTrigger(IntegrationProvider::stripe, c.kind, "t"));
        ASSERT_EQ(fired.size(), 1);
        EXPECT_EQ(fired[0].subtitle, c.subtitle) << TriggerEventKinds::rawValue(c.kind).toStdString();
    }
    // Tests consult and record no cooldown.
    EXPECT_TRUE(engine().triggerCooldowns().isEmpty());
}

TEST_F(ReactionDispatch, TestOfAGoalShowsItAsJustReached) {
    const Goal goal =
        makeGoal(IntegrationProvider::stripe, MetricKind::mrr, 5000, GoalPeriod::today, "MRR 5k");
    engine().testReaction(config, QStringLiteral("ignored"), std::nullopt, goal);
    ASSERT_EQ(fired.size(), 1);
    EXPECT_EQ(fired[0].subtitle, QStringLiteral("MRR 5k"));
    EXPECT_EQ(fired[0].details, ReactionDetails::forGoal(MetricKind::mrr, 5000, 5000));
    EXPECT_EQ(fired[0].details->formattedAmount(), QStringLiteral("$5000 / $5000"));
    EXPECT_TRUE(engine().goalCooldowns().isEmpty());
    EXPECT_FALSE(engine().goals().isEmpty() && engine().goals().first().lastTriggeredAt);
}

TEST_F(ReactionDispatch, TestWithGivenDetailsOrNothing) {
    ReactionDetails withBuyer;
    withBuyer.buyerLine = QStringLiteral("buyer");
    withBuyer.headline = QStringLiteral("headline");
    ReactionDetails withHeadline;
    withHeadline.headline = QStringLiteral("headline");
    ReactionDetails bare;
    ReactionDetails preview;
    preview.context = ReactionContext::test;
    preview.metricLabel = QStringLiteral("Preview");
    const struct {
        std::optional<QString> subtitle;
        std::optional<ReactionDetails> details;
        QString expectedSubtitle;
        ReactionDetails expectedDetails;
    } cases[] = {
        {QStringLiteral("given"), withBuyer, QStringLiteral("given"), withBuyer},
        {std::nullopt, withBuyer, QStringLiteral("buyer"), withBuyer},
        {std::nullopt, withHeadline, QStringLiteral("headline"), withHeadline},
        {std::nullopt, bare, QStringLiteral("Test reaction"), bare},
        {QStringLiteral("given"), std::nullopt, QStringLiteral("given"), preview},
        {std::nullopt, std::nullopt, QString::fromUtf8("Test reaction \u2014 looking good!"), preview},
    };
    for (const auto& c : cases) {
        fired.clear();
        engine().testReaction(config, c.subtitle, c.details);
        ASSERT_EQ(fired.size(), 1);
        EXPECT_EQ(fired[0].subtitle, c.expectedSubtitle);
        EXPECT_EQ(fired[0].details, c.expectedDetails) << c.expectedSubtitle.toStdString();
    }
}

TEST_F(ReactionDispatch, StoreChangesAreAnnouncedByTheEngine) {
    int changes = 0;
    QObject::connect(&engine(), &AppState::changed, [&] { ++changes; });
    engine().fireReaction(config, QString(), std::nullopt);
    EXPECT_EQ(changes, 1);
    clock.advanceSeconds(engine().settings().reactionDurationSeconds);
    EXPECT_EQ(changes, 2);
    EXPECT_TRUE(engine().reactionStore().reactions().isEmpty());
}

} // namespace
