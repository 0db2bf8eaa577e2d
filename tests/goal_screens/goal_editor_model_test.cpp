#include "app/screens/editing/record_list.h"
#include "app/screens/goals/goal_editor_model.h"
#include "app/screens/goals/goal_editor_rules.h"
#include "app/screens/goals/goals_list_model.h"
#include "goal_screens/screens_fixture.h"
#include "support/qt_printers.h"

namespace {

class GoalEditorModelTest : public ScreensTest {};

TEST_F(GoalEditorModelTest, ProviderChangeKeepsOfferedMetricsAndReplacesOthers) {
    const struct {
        IntegrationProvider from;
        MetricKind metric;
        IntegrationProvider to;
        MetricKind expected;
    } cases[] = {
        {IntegrationProvider::stripe, MetricKind::revenueToday, IntegrationProvider::googleSearchConsole,
         MetricKind::clicks},
        {IntegrationProvider::stripe, MetricKind::revenueToday, IntegrationProvider::datafast,
         MetricKind::datafastSessions},
        // Offered by both.
        {IntegrationProvider::googleAnalytics, MetricKind::pageviewsToday, IntegrationProvider::datafast,
         MetricKind::pageviewsToday},
        // The demo source offers everything.
        {IntegrationProvider::googleSearchConsole, MetricKind::avgPosition, IntegrationProvider::demo,
         MetricKind::avgPosition},
    };
    for (const auto& c : cases) {
        GoalEditorModel model(engine(), makeGoal("g", c.from, c.metric, 10), false);
        model.setProvider(c.to);
        EXPECT_EQ(model.goal().provider, c.to);
        EXPECT_EQ(model.goal().metric, c.expected) << MetricKinds::rawValue(c.metric).toStdString();
    }
}

TEST_F(GoalEditorModelTest, SavingNeedsAReadyProviderANameAndAPositiveTarget) {
    const struct {
        const char* name;
        bool demo;
        bool stripeConnected;
        bool isNew;
        const char* goalName;
        double target;
        const char* label;
    } cases[] = {
        {"demo on makes Stripe ready", true, false, true, "g", 100, "Create goal"},
        {"connected", false, true, false, "g", 100, "Save changes"},
        {"not connected", false, false, true, "g", 100, "Connect Stripe first"},
        {"not connected wins over target", false, false, true, "g", 0, "Connect Stripe first"},
        {"target 0", true, false, true, "g", 0, "Target required"},
        {"negative target", true, false, false, "g", -5, "Target required"},
        {"blank name", true, false, false, " \n\t", 100, "Name required"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        AppState& state = relaunch(c.demo, c.stripeConnected ? QList{IntegrationProvider::stripe}
                                                             : QList<IntegrationProvider>{});
        Goal goal = makeGoal(c.goalName, IntegrationProvider::stripe, MetricKind::revenueToday, c.target);
        GoalEditorModel model(state, goal, c.isNew);
        EXPECT_EQ(model.primaryButtonLabel(), QString::fromUtf8(c.label));
        const bool saves = QString::fromUtf8(c.label) == QLatin1String("Create goal") ||
                           QString::fromUtf8(c.label) == QLatin1String("Save changes");
        EXPECT_EQ(model.canSave(), saves);
        EXPECT_EQ(model.showsConnectionWarning(), !c.demo && !c.stripeConnected);
        EXPECT_EQ(GoalsListModel::card(goal, state).isNotConnected, !c.demo && !c.stripeConnected);
    }
}

TEST_F(GoalEditorModelTest, SuggestedNames) {
    const struct {
        MetricKind metric;
        double target;
        GoalPeriod period;
        const char* currency;
        const char* expected;
    } cases[] = {
        {MetricKind::clicks, 500, GoalPeriod::today, "USD", "500 search clicks today"},
        {MetricKind::clicks, 500, GoalPeriod::rolling7d, "USD", "500 search clicks this week"},
        // Names that already say their window get no period.
        {MetricKind::revenueToday, 100, GoalPeriod::today, "USD", "$100 revenue today"},
        {MetricKind::sessions7d, 40, GoalPeriod::rolling7d, "USD", "40 sessions (7d)"},
        {MetricKind::avgPosition, 4.25, GoalPeriod::today, "USD", "4.2 avg. search position today"},
        {MetricKind::ctr, 2.5, GoalPeriod::rolling7d, "USD", "2.5% search ctr this week"},
        // Money in the source's own currency; other metrics ignore it.
        {MetricKind::revenueToday, 5000, GoalPeriod::today, "JPY", "¥5000 revenue today"},
        {MetricKind::mrr, 250, GoalPeriod::today, "EUR", "€250 revenue (30d)"},
        {MetricKind::clicks, 500, GoalPeriod::today, "EUR", "500 search clicks today"},
    };
    for (const auto& c : cases) {
        Goal goal = makeGoal("", IntegrationProvider::demo, c.metric, c.target);
        goal.period = c.period;
        EXPECT_EQ(GoalEditorRules::suggestedName(goal, QString::fromLatin1(c.currency)),
                  QString::fromUtf8(c.expected));
    }
}

TEST_F(GoalEditorModelTest, SuggestedNameFollowsTheCurrencyTheSourceReportsIn) {
    storeConnected({IntegrationProvider::stripe});
    stripe.setCurrencyCode(QStringLiteral("EUR"));
    publishStripe({{MetricKind::revenueToday, 40}});
    GoalEditorModel model(engine(), GoalEditorRules::newGoal(), true);
    model.setTargetText(QStringLiteral("250"));
    EXPECT_EQ(model.goal().name, QString::fromUtf8("€250 revenue today"));
}

TEST_F(GoalEditorModelTest, TypingANameStopsTheSuggestionAndClearingItResumes) {
    storeDemo(true);
    GoalEditorModel model(engine(), GoalEditorRules::newGoal(), true);
    ASSERT_TRUE(model.nameWasAutoGenerated());

    model.setProvider(IntegrationProvider::googleSearchConsole);
    model.setTargetText(QStringLiteral("500"));
    EXPECT_EQ(model.goal().name, QStringLiteral("500 search clicks today"));

    model.setName(QStringLiteral("My clicks"));
    model.setTarget(250);
    EXPECT_EQ(model.goal().name, QStringLiteral("My clicks"));
    EXPECT_EQ(model.targetText(), QStringLiteral("250")) << "the field follows the slider and quick picks";

    model.setName(QStringLiteral("  "));
    EXPECT_TRUE(model.nameWasAutoGenerated());
    model.setPeriod(GoalPeriod::rolling7d);
    EXPECT_EQ(model.goal().name, QStringLiteral("250 search clicks this week"));

    // An existing goal keeps its name until the user clears it.
    GoalEditorModel existing(engine(), makeGoal("Mine", IntegrationProvider::stripe, MetricKind::mrr, 5),
                             false);
    existing.setTarget(6);
    EXPECT_EQ(existing.goal().name, QStringLiteral("Mine"));
}

TEST_F(GoalEditorModelTest, TargetFieldAndSlider) {
    storeDemo(true);
    GoalEditorModel model(engine(), makeGoal("g", IntegrationProvider::demo, MetricKind::avgPosition, 5),
                          false);

    model.setTargetText(QStringLiteral("abc"));
    EXPECT_EQ(model.goal().targetValue, 5) << "text that is no number leaves the target";
    EXPECT_EQ(model.targetText(), QStringLiteral("abc"));
    model.setTargetText(QStringLiteral("1e400"));
    EXPECT_EQ(model.goal().targetValue, 5);
    model.setTargetText(QStringLiteral(" 7.5 "));
    EXPECT_EQ(model.goal().targetValue, 7.5);

    // 1 to 50 in steps of 0.1: the 35th step is 4.5 without binary noise in the field.
    EXPECT_EQ(model.sliderSteps(), 490);
    model.setSliderPosition(35);
    EXPECT_DOUBLE_EQ(model.goal().targetValue, 4.5);
    EXPECT_EQ(model.targetText(), QStringLiteral("4.5"));
    model.setSliderPosition(10000);
    EXPECT_DOUBLE_EQ(model.goal().targetValue, 50);

    // A target beyond the new metric's range keeps its value; the slider just sits at the end.
    model.setMetric(MetricKind::sessions);
    model.setTarget(5000);
    EXPECT_EQ(model.sliderPosition(), model.sliderSteps());
    EXPECT_EQ(model.goal().targetValue, 5000);
}

TEST_F(GoalEditorModelTest, EditedGoalKeepsIdPositionAndLastFiring) {
    storeDemo(true);
    Goal a = makeGoal("a", IntegrationProvider::stripe, MetricKind::revenueToday, 10);
    Goal b = makeGoal("b", IntegrationProvider::stripe, MetricKind::mrr, 20);
    b.lastTriggeredAt = clock.now().addSecs(-3600);
    Goal c = makeGoal("c", IntegrationProvider::stripe, MetricKind::arr, 30);
    const QList<Goal> list{a, b, c};

    GoalEditorModel model(engine(), b, false);
    model.setProvider(IntegrationProvider::googleAnalytics);
    model.setName(QStringLiteral("renamed"));
    model.setTargetText(QStringLiteral("99"));
    const QList<Goal> saved = RecordList::upsert(list, model.goal());

    EXPECT_EQ(namesOf(saved),
              (QStringList{QStringLiteral("a"), QStringLiteral("renamed"), QStringLiteral("c")}));
    EXPECT_EQ(saved[1].id, b.id);
    EXPECT_EQ(saved[1].lastTriggeredAt, b.lastTriggeredAt);
    EXPECT_EQ(saved[1].targetValue, 99);

    GoalEditorModel fresh(engine(), GoalEditorRules::newGoal(), true);
    EXPECT_EQ(RecordList::upsert(list, fresh.goal()).last().id, fresh.goal().id) << "a new goal is appended";
}

TEST_F(GoalEditorModelTest, NowAndProgressComeFromTheProvidersSnapshot) {
    storeConnected({IntegrationProvider::stripe});
    publishStripe({{MetricKind::revenueToday, 42.4}});
    GoalEditorModel model(engine(), makeGoal("g", IntegrationProvider::stripe, MetricKind::revenueToday, 100),
                          false);
    EXPECT_EQ(model.nowText(), QStringLiteral("Now: $42"));
    EXPECT_EQ(model.progressText(), QStringLiteral("$42 / $100"));
    model.setProvider(IntegrationProvider::googleAnalytics);
    EXPECT_EQ(model.nowText(), QStringLiteral("Now: 0")) << "no snapshot reads as 0";
}

} // namespace
