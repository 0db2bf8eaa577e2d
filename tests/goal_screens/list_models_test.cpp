#include "app/screens/goals/goals_list_model.h"
#include "app/screens/triggers/triggers_list_model.h"
#include "goal_screens/screens_fixture.h"
#include "support/qt_printers.h"

namespace {

class ListModelsTest : public ScreensTest {};

TEST_F(ListModelsTest, CrushedBadge) {
    const QDateTime yesterday = clock.now().addDays(-1);
    const struct {
        const char* name;
        MetricKind metric;
        double target;
        std::optional<double> current;
        std::optional<QDateTime> lastTriggeredAt;
        bool crushed;
    } cases[] = {
        // Lower is better for the position.
        {"position 4.2 against 5", MetricKind::avgPosition, 5, 4.2, std::nullopt, true},
        {"position 6.1 against 5", MetricKind::avgPosition, 5, 6.1, std::nullopt, false},
        {"no position yet is not position 0", MetricKind::avgPosition, 5, std::nullopt, std::nullopt, false},
        {"at the target", MetricKind::charges, 5, 5, std::nullopt, true},
        {"below the target", MetricKind::charges, 5, 4, std::nullopt, false},
        {"fired earlier today", MetricKind::charges, 5, 1, clock.now().addSecs(-60), true},
        {"fired yesterday", MetricKind::charges, 5, 1, yesterday, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QHash<MetricKind, double> values;
        if (c.current)
            values.insert(c.metric, *c.current);
        // The demo source stands in for Search Console, which needs a Google sign-in.
        const bool position = c.metric == MetricKind::avgPosition;
        (position ? demo : stripe).setStandingMetrics(values);
        relaunch(position, {IntegrationProvider::stripe});
        auto task = engine().pollOnce();
        ASSERT_TRUE(task.isReady());
        Goal goal = makeGoal("g", position ? IntegrationProvider::demo : IntegrationProvider::stripe,
                             c.metric, c.target);
        goal.lastTriggeredAt = c.lastTriggeredAt;
        EXPECT_EQ(GoalsListModel::card(goal, engine()).isCrushed, c.crushed);
    }
}

TEST_F(ListModelsTest, GoalCardTexts) {
    storeConnected({IntegrationProvider::stripe});
    publishStripe({{MetricKind::revenueToday, 40}});
    Goal goal = makeGoal("Daily", IntegrationProvider::stripe, MetricKind::revenueToday, 100);
    goal.isEnabled = false;
    goal.period = GoalPeriod::rolling7d;
    const GoalCard card = GoalsListModel::card(goal, engine());
    EXPECT_EQ(card.metaLine, QString::fromUtf8("Stripe · Last 7 days"));
    EXPECT_EQ(card.valueText, QStringLiteral("$40 / $100"));
    EXPECT_DOUBLE_EQ(card.fraction, 0.4);
    EXPECT_TRUE(card.isPaused);
    EXPECT_FALSE(card.isNotConnected);
}

TEST_F(ListModelsTest, DeleteThenUndoRestoresTheRecordAtItsPlace) {
    persistence.encodeGoals({makeGoal("a", IntegrationProvider::stripe, MetricKind::mrr, 1),
                             makeGoal("b", IntegrationProvider::stripe, MetricKind::mrr, 2),
                             makeGoal("c", IntegrationProvider::stripe, MetricKind::mrr, 3)});
    persistence.encodeTriggers(
        {makeTrigger("x", IntegrationProvider::stripe, TriggerEventKind::stripeCharge),
         makeTrigger("y", IntegrationProvider::stripe, TriggerEventKind::stripeRefund)});
    GoalsListModel goals(engine());
    TriggersListModel triggers(engine());
    const QUuid b = engine().goals().at(1).id;

    goals.remove(b);
    EXPECT_EQ(namesOf(*persistence.decodeGoals()), (QStringList{QStringLiteral("a"), QStringLiteral("c")}))
        << "deleting saves at once";
    EXPECT_EQ(goals.undo().message(), QStringLiteral("Deleted b"));

    // Another goal goes meanwhile; b still returns to index 1.
    goals.remove(engine().goals().at(0).id);
    EXPECT_EQ(goals.undo().message(), QStringLiteral("Deleted a"))
        << "the newest deletion is the one offered";
    goals.undo().undo();
    EXPECT_EQ(namesOf(*persistence.decodeGoals()), (QStringList{QStringLiteral("a"), QStringLiteral("c")}));
    EXPECT_FALSE(goals.undo().isActive());

    triggers.remove(engine().triggers().at(0).id);
    clock.advance(std::chrono::milliseconds(4999));
    ASSERT_TRUE(triggers.undo().isActive());
    triggers.undo().undo();
    EXPECT_EQ(namesOf(*persistence.decodeTriggers()),
              (QStringList{QStringLiteral("x"), QStringLiteral("y")}));
    EXPECT_EQ(engine().triggers().at(0).eventKind, TriggerEventKind::stripeCharge);

    triggers.remove(engine().triggers().at(1).id);
    clock.advance(DeletionUndo::window);
    EXPECT_FALSE(triggers.undo().isActive()) << "the offer ends after five seconds";
    EXPECT_TRUE(triggers.undo().message().isEmpty());
    triggers.undo().undo();
    EXPECT_EQ(namesOf(engine().triggers()), QStringList{QStringLiteral("x")});
}

TEST_F(ListModelsTest, SwitchWritesBackAndSavesAndTestFiresTheRecordsReaction) {
    persistence.encodeGoals({makeGoal("a", IntegrationProvider::stripe, MetricKind::mrr, 1)});
    persistence.encodeTriggers(
        {makeTrigger("x", IntegrationProvider::stripe, TriggerEventKind::stripeCharge)});
    GoalsListModel goals(engine());
    TriggersListModel triggers(engine());

    goals.setEnabled(engine().goals().at(0).id, false);
    triggers.setEnabled(engine().triggers().at(0).id, false);
    EXPECT_FALSE(persistence.decodeGoals()->at(0).isEnabled);
    EXPECT_FALSE(persistence.decodeTriggers()->at(0).isEnabled);

    triggers.test(engine().triggers().at(0).id);
    goals.test(engine().goals().at(0).id);
    ASSERT_EQ(engine().reactionStore().reactions().size(), 2);
    EXPECT_EQ(engine().reactionStore().reactions().at(0).config.message, QStringLiteral("Hey"));
    EXPECT_EQ(engine().reactionStore().reactions().at(1).config.message, QStringLiteral("Goal!"));
}

TEST_F(ListModelsTest, TriggerCardLineMarksOfflineProviders) {
    persistence.encodeTriggers(
        {makeTrigger("x", IntegrationProvider::stripe, TriggerEventKind::stripeCharge),
         makeTrigger("y", IntegrationProvider::googleSearchConsole, TriggerEventKind::gscClicks)});
    relaunch(false, {IntegrationProvider::stripe});
    TriggersListModel triggers(engine());
    const QList<TriggerCard> cards = triggers.cards();
    ASSERT_EQ(cards.size(), 2);
    EXPECT_EQ(cards[0].detailLine, QString::fromUtf8("Stripe · New payment"));
    EXPECT_FALSE(cards[0].isOffline);
    EXPECT_TRUE(cards[1].isOffline);

    relaunch(true, {});
    EXPECT_FALSE(TriggersListModel(engine()).cards().at(1).isOffline) << "demo on: every provider ready";
}

} // namespace
