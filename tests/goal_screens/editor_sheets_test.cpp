#include "app/components/zing_chip.h"
#include "app/components/zing_primary_button.h"
#include "app/components/zing_secondary_button.h"
#include "app/components/zing_slider.h"
#include "app/components/zing_text_field.h"
#include "app/screens/editing/choice_card.h"
#include "app/screens/editing/provider_picker.h"
#include "app/screens/editing/record_list.h"
#include "app/screens/goals/goal_editor_sheet.h"
#include "app/screens/reaction/reaction_editor.h"
#include "app/screens/triggers/trigger_editor_rules.h"
#include "app/screens/triggers/trigger_editor_sheet.h"
#include "goal_screens/screens_fixture.h"
#include "model/tavik_event_catalog.h"
#include "support/qt_printers.h"
#include "support/recording_shell_actions.h"

#include <QLineEdit>
#include <QTest>

namespace {

class EditorSheetsTest : public ScreensTest {
protected:
    void SetUp() override { relaunch(true, {}); }

    // Replaces the field's text the way a user does: select all, type.
    static void retype(QLineEdit* field, const QString& text) {
        field->setFocus();
        field->selectAll();
        QTest::keyClick(field, Qt::Key_Backspace);
        QTest::keyClicks(field, text);
    }

    // What the window controller does with a saved record.
    void saveGoal(const Goal& goal) {
        ++saves;
        engine().setGoals(RecordList::upsert(engine().goals(), goal));
        engine().saveAll();
    }
    void saveTrigger(const EventTrigger& trigger) {
        ++saves;
        engine().setTriggers(RecordList::upsert(engine().triggers(), trigger));
        engine().saveAll();
    }

    RecordingShellActions shell;
    int saves = 0;
    int cancels = 0;
};

TEST_F(EditorSheetsTest, GoalBuiltByClicksAndTypingIsSavedIntoTheDocuments) {
    const int before = int(engine().goals().size());
    GoalEditorSheet sheet(
        engine(), shell, GoalEditorRules::newGoal(), true, [this](const Goal& g) { saveGoal(g); },
        [this] { ++cancels; });
    sheet.resize(720, 620);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));

    QTest::mouseClick(sheet.providerPicker()->row(IntegrationProvider::googleSearchConsole), Qt::LeftButton);
    ASSERT_NE(sheet.metricCard(MetricKind::impressions), nullptr) << "the provider's metrics are offered";
    EXPECT_EQ(sheet.metricCard(MetricKind::revenueToday), nullptr);
    QTest::mouseClick(sheet.metricCard(MetricKind::impressions), Qt::LeftButton);
    QTest::mouseClick(sheet.periodChip(GoalPeriod::rolling7d), Qt::LeftButton);
    retype(sheet.targetField(), QStringLiteral("500"));
    EXPECT_EQ(sheet.nameField()->text(), QStringLiteral("500 search impressions this week"));

    QTest::mouseClick(sheet.quickPickChips().at(1), Qt::LeftButton);
    EXPECT_EQ(sheet.targetField()->text(), QStringLiteral("25"));
    EXPECT_EQ(sheet.nameField()->text(), QStringLiteral("25 search impressions this week"));

    retype(sheet.nameField(), QStringLiteral("SEO push"));
    retype(sheet.reactionEditor()->messageField(), QStringLiteral("Seen!"));
    retype(sheet.targetField(), QStringLiteral("0"));
    EXPECT_FALSE(sheet.primaryButton()->isEnabled());
    EXPECT_EQ(sheet.primaryButton()->text(), QStringLiteral("Target required"));
    QTest::keyClick(sheet.targetField(), Qt::Key_Return);
    EXPECT_EQ(saves, 0) << "Enter saves only what can be saved";

    retype(sheet.targetField(), QStringLiteral("40"));
    EXPECT_EQ(sheet.primaryButton()->text(), QStringLiteral("Create goal"));
    QTest::keyClick(sheet.targetField(), Qt::Key_Return);
    ASSERT_EQ(saves, 1);

    const QList<Goal> stored = *persistence.decodeGoals();
    ASSERT_EQ(stored.size(), before + 1);
    const Goal& goal = stored.last();
    EXPECT_EQ(goal.name, QStringLiteral("SEO push"));
    EXPECT_EQ(goal.provider, IntegrationProvider::googleSearchConsole);
    EXPECT_EQ(goal.metric, MetricKind::impressions);
    EXPECT_EQ(goal.period, GoalPeriod::rolling7d);
    EXPECT_EQ(goal.targetValue, 40);
    EXPECT_EQ(goal.reaction.message, QStringLiteral("Seen!"));
    EXPECT_EQ(cancels, 0);
}

TEST_F(EditorSheetsTest, TriggerBuiltByClicksAndTypingIsSavedIntoTheDocuments) {
    TriggerEditorSheet sheet(
        engine(), shell, TriggerEditorRules::newTrigger(), true,
        [this](const EventTrigger& t) { saveTrigger(t); }, [this] { ++cancels; });
    sheet.resize(720, 620);
    sheet.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&sheet));

    QTest::mouseClick(sheet.providerPicker()->row(IntegrationProvider::datafast), Qt::LeftButton);
    ASSERT_NE(sheet.eventCard(TriggerEventKind::datafastGoals), nullptr);
    QTest::mouseClick(sheet.eventCard(TriggerEventKind::datafastGoals), Qt::LeftButton);
    const TavikEventDefinition& goals = TavikEventCatalog::definition(TriggerEventKind::datafastGoals);
    EXPECT_EQ(sheet.nameField()->text(), goals.defaultTriggerName);

    sheet.cooldownSlider()->setFocus();
    for (int i = 0; i < 4; ++i)
        QTest::keyClick(sheet.cooldownSlider(), Qt::Key_Right);
    retype(sheet.nameField(), QStringLiteral("   "));
    EXPECT_EQ(sheet.primaryButton()->text(), QStringLiteral("Name required"));
    retype(sheet.nameField(), QStringLiteral("Goal reached"));
    QTest::mouseClick(sheet.primaryButton(), Qt::LeftButton);
    ASSERT_EQ(saves, 1);

    const EventTrigger stored = persistence.decodeTriggers()->last();
    EXPECT_EQ(stored.name, QStringLiteral("Goal reached"));
    EXPECT_EQ(stored.provider, IntegrationProvider::datafast);
    EXPECT_EQ(stored.eventKind, TriggerEventKind::datafastGoals);
    EXPECT_EQ(stored.cooldownSeconds, 7);
    EXPECT_EQ(stored.reaction, goals.defaultReaction);
}

TEST_F(EditorSheetsTest, CancelEscapeAndClosingDiscardTheWorkingCopy) {
    const QByteArray goalsBefore = preferences.value(PersistenceManager::goalsKey()).value_or(QByteArray());
    const Goal original = engine().goals().first();
    for (const char* way : {"cancel", "escape", "close"}) {
        SCOPED_TRACE(way);
        cancels = 0;
        auto* sheet = new GoalEditorSheet(
            engine(), shell, original, false, [this](const Goal& g) { saveGoal(g); }, [this] { ++cancels; });
        sheet->setAttribute(Qt::WA_DeleteOnClose);
        sheet->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(sheet));
        retype(sheet->nameField(), QStringLiteral("changed"));
        retype(sheet->targetField(), QStringLiteral("12345"));
        if (QByteArray(way) == "cancel")
            QTest::mouseClick(sheet->cancelButton(), Qt::LeftButton);
        if (QByteArray(way) == "escape")
            QTest::keyClick(sheet->nameField(), Qt::Key_Escape);
        EXPECT_EQ(cancels, QByteArray(way) == "close" ? 0 : 1);
        sheet->close();
        EXPECT_EQ(saves, 0);
        EXPECT_EQ(engine().goals().first(), original);
        EXPECT_EQ(preferences.value(PersistenceManager::goalsKey()).value_or(QByteArray()), goalsBefore);
    }
}

TEST_F(EditorSheetsTest, ConnectionWarningOpensTheConnectTab) {
    relaunch(false, {});
    GoalEditorSheet sheet(engine(), shell, GoalEditorRules::newGoal(), true, nullptr, nullptr);
    sheet.show();
    ASSERT_TRUE(sheet.connectionWarning()->isVisible());
    EXPECT_EQ(sheet.primaryButton()->text(), QStringLiteral("Connect Stripe first"));
    const auto buttons = sheet.connectionWarning()->findChildren<ZingSecondaryButton*>();
    ASSERT_EQ(buttons.size(), 1);
    QTest::mouseClick(buttons.first(), Qt::LeftButton);
    EXPECT_EQ(shell.calls, QStringList{QStringLiteral("showPopover connect")});

    QTest::mouseClick(sheet.providerPicker()->row(IntegrationProvider::demo), Qt::LeftButton);
    EXPECT_EQ(sheet.primaryButton()->text(), QStringLiteral("Connect Demo Mode first"));
}

// Tab walks the sections from the top and reaches the footer last, Cancel before the primary button.
TEST_F(EditorSheetsTest, TabEndsOnTheFooterInBothEditors) {
    std::unique_ptr<EditorSheet> sheets[] = {
        std::make_unique<GoalEditorSheet>(engine(), shell, GoalEditorRules::newGoal(), true, nullptr,
                                          nullptr),
        std::make_unique<TriggerEditorSheet>(engine(), shell, engine().triggers().first(), false, nullptr,
                                             nullptr),
    };
    for (const auto& sheet : sheets) {
        SCOPED_TRACE(sheet->metaObject()->className());
        sheet->show();
        QList<QWidget*> order;
        QWidget* focus = sheet.get();
        do {
            focus = focus->nextInFocusChain();
            if ((focus->focusPolicy() & Qt::TabFocus) && focus->isVisibleTo(sheet.get()) &&
                focus->isEnabled())
                order.append(focus);
        } while (focus != sheet.get());
        ASSERT_GE(order.size(), 3);
        EXPECT_EQ(order.at(order.size() - 2), sheet->cancelButton());
        // The primary button is disabled while nothing can be saved; enabled, it comes right after Cancel.
        if (sheet->primaryButton()->isEnabled()) {
            EXPECT_EQ(order.last(), sheet->primaryButton());
        }
        EXPECT_NE(order.indexOf(sheet->cancelButton()), 0) << "the footer must not come first";
    }
}

TEST_F(EditorSheetsTest, QuickPicksShowMoneyInTheSourcesCurrency) {
    relaunch(false, {IntegrationProvider::stripe});
    stripe.setCurrencyCode(QStringLiteral("JPY"));
    publishStripe({{MetricKind::revenueToday, 1200}});
    GoalEditorSheet sheet(engine(), shell, GoalEditorRules::newGoal(), true, nullptr, nullptr);
    ASSERT_FALSE(sheet.quickPickChips().isEmpty());
    for (ZingChip* chip : sheet.quickPickChips())
        EXPECT_TRUE(chip->text().startsWith(QString::fromUtf8("¥"))) << chip->text().toStdString();
}

} // namespace
