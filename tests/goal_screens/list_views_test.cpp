#include "app/components/zing_chip.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_switch.h"
#include "app/screens/editing/undo_line.h"
#include "app/screens/goals/goals_view.h"
#include "app/screens/triggers/triggers_view.h"
#include "goal_screens/screens_fixture.h"
#include "support/qt_printers.h"
#include "support/recording_shell_actions.h"

#include <QCoreApplication>
#include <QTest>

namespace {

class ListViewsTest : public ScreensTest {
protected:
    template <typename W> static QList<W*> visible(QWidget& root) {
        // Lists are rebuilt with deleteLater; let the old ones go first.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QList<W*> result;
        for (W* widget : root.findChildren<W*>()) {
            if (widget->isVisibleTo(&root))
                result.append(widget);
        }
        return result;
    }
    template <typename W> static W* named(QWidget& root, const QString& name) {
        for (W* widget : visible<W>(root)) {
            if (widget->text() == name || widget->accessibleName() == name)
                return widget;
        }
        return nullptr;
    }

    RecordingShellActions shell;
};

TEST_F(ListViewsTest, QuickStartChipClosesThePanelAndOpensAPrefilledNewGoal) {
    persistence.encodeGoals({});
    GoalsView view(engine(), shell);
    view.show();
    ZingChip* chip = named<ZingChip>(view, QStringLiteral("100 sessions today"));
    ASSERT_NE(chip, nullptr);
    QTest::mouseClick(chip, Qt::LeftButton);
    ASSERT_EQ(shell.calls.size(), 2);
    EXPECT_EQ(shell.calls[0], QStringLiteral("closePopover"));
    EXPECT_TRUE(shell.calls[1].endsWith(QStringLiteral(" new")));
    const Goal& goal = *shell.lastGoal;
    EXPECT_EQ(goal.provider, IntegrationProvider::googleAnalytics);
    EXPECT_EQ(goal.metric, MetricKind::sessionsToday);
    EXPECT_EQ(goal.targetValue, 100);
    EXPECT_EQ(goal.reaction.sound, SoundEffect::applause);
    EXPECT_EQ(goal.reaction.message, QStringLiteral("Traffic is up!"));
}

TEST_F(ListViewsTest, DeleteShowsAnUndoLineThatRestoresTheCard) {
    persistence.encodeGoals({makeGoal("a", IntegrationProvider::stripe, MetricKind::mrr, 1),
                             makeGoal("b", IntegrationProvider::stripe, MetricKind::mrr, 2)});
    GoalsView view(engine(), shell);
    view.resize(380, 600);
    view.show();
    ASSERT_EQ(visible<ZingSwitch>(view).size(), 2);
    ZingSecondaryButton* remove = named<ZingSecondaryButton>(view, QStringLiteral("Delete"));
    ASSERT_NE(remove, nullptr);
    QTest::mouseClick(remove, Qt::LeftButton);
    EXPECT_EQ(visible<ZingSwitch>(view).size(), 1);
    UndoLine* line = visible<UndoLine>(view).value(0);
    ASSERT_NE(line, nullptr) << "the undo line shows";
    QTest::mouseClick(line->undoButton(), Qt::LeftButton);
    EXPECT_EQ(namesOf(*persistence.decodeGoals()), (QStringList{QStringLiteral("a"), QStringLiteral("b")}));
    EXPECT_EQ(visible<ZingSwitch>(view).size(), 2);
    EXPECT_TRUE(visible<UndoLine>(view).isEmpty());
}

TEST_F(ListViewsTest, TriggerSwitchAndEditReachTheEngineAndTheShell) {
    persistence.encodeTriggers(
        {makeTrigger("x", IntegrationProvider::stripe, TriggerEventKind::stripeCharge)});
    TriggersView view(engine(), shell);
    view.show();
    QTest::mouseClick(visible<ZingSwitch>(view).value(0), Qt::LeftButton);
    EXPECT_FALSE(persistence.decodeTriggers()->at(0).isEnabled);
    QTest::mouseClick(named<ZingSecondaryButton>(view, QStringLiteral("Edit")), Qt::LeftButton);
    ASSERT_TRUE(shell.lastTrigger.has_value());
    EXPECT_EQ(shell.lastTrigger->id, engine().triggers().at(0).id);
    EXPECT_TRUE(shell.calls.last().endsWith(QStringLiteral(" edit")));
}

} // namespace
