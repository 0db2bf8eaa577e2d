#include "app/screens/triggers/trigger_editor_model.h"
#include "app/screens/triggers/trigger_editor_rules.h"
#include "goal_screens/screens_fixture.h"
#include "model/tavik_event_catalog.h"
#include "support/qt_printers.h"

namespace {

class TriggerEditorModelTest : public ScreensTest {};

TEST_F(TriggerEditorModelTest, ProviderChangeNormalisesTheEvent) {
    storeDemo(true);
    TriggerEditorModel fresh(engine(), random, TriggerEditorRules::newTrigger(), true);
    fresh.setProvider(IntegrationProvider::datafast);
    EXPECT_EQ(fresh.trigger().eventKind, TriggerEventKind::datafastSessions);
    // A suggested name follows the event, with its reaction.
    const TavikEventDefinition& sessions = TavikEventCatalog::definition(TriggerEventKind::datafastSessions);
    EXPECT_EQ(fresh.trigger().name, sessions.defaultTriggerName);
    EXPECT_EQ(fresh.trigger().reaction, sessions.defaultReaction);

    EventTrigger mine = makeTrigger("Mine", IntegrationProvider::stripe, TriggerEventKind::stripeCharge);
    TriggerEditorModel named(engine(), random, mine, false);
    named.setProvider(IntegrationProvider::datafast);
    EXPECT_EQ(named.trigger().eventKind, TriggerEventKind::datafastSessions);
    EXPECT_EQ(named.trigger().name, QStringLiteral("Mine"));
    EXPECT_EQ(named.trigger().reaction, mine.reaction);
    named.setProvider(IntegrationProvider::stripe);
    EXPECT_EQ(named.trigger().eventKind, TriggerEventKind::stripeCharge);
}

TEST_F(TriggerEditorModelTest, ChoosingAnEventWhileTheNameIsSuggested) {
    storeDemo(true);
    TriggerEditorModel model(engine(), random, TriggerEditorRules::newTrigger(), true);
    model.setEventKind(TriggerEventKind::stripeRefund);
    EXPECT_EQ(model.trigger().name, QStringLiteral("Every refund"));
    EXPECT_EQ(model.previewDetails().context, ReactionContext::refund);
    EXPECT_EQ(model.suggestedEmojis().first(), QString::fromUtf8("\U0001F595"));

    model.setName(QStringLiteral("Refunds!"));
    model.setEventKind(TriggerEventKind::stripeCheckoutComplete);
    EXPECT_EQ(model.trigger().name, QStringLiteral("Refunds!"));
    EXPECT_EQ(model.trigger().reaction,
              TavikEventCatalog::definition(TriggerEventKind::stripeRefund).defaultReaction);

    model.setName(QString());
    model.setEventKind(TriggerEventKind::stripeTrials);
    EXPECT_EQ(model.trigger().name, QStringLiteral("New trial"));
}

TEST_F(TriggerEditorModelTest, SavingNeedsAReadyProviderAndAName) {
    const struct {
        bool demo;
        bool isNew;
        const char* name;
        const char* label;
    } cases[] = {
        {true, true, "x", "Create trigger"},
        {true, false, "x", "Save changes"},
        {true, false, "   ", "Name required"},
        {true, true, "\n", "Name required"},
        {false, false, "x", "Connect Google Search Console first"},
        {false, false, "  ", "Connect Google Search Console first"},
    };
    for (const auto& c : cases) {
        AppState& state = relaunch(c.demo, {IntegrationProvider::stripe});
        TriggerEditorModel model(
            state, random,
            makeTrigger(c.name, IntegrationProvider::googleSearchConsole, TriggerEventKind::gscClicks),
            c.isNew);
        EXPECT_EQ(model.primaryButtonLabel(), QString::fromUtf8(c.label)) << c.name;
        EXPECT_EQ(model.canSave(),
                  QByteArray(c.label).startsWith("Create") || QByteArray(c.label).startsWith("Save"));
        EXPECT_EQ(model.showsConnectionWarning(), !c.demo);
    }
}

TEST_F(TriggerEditorModelTest, CooldownStaysWithinTheSlidersRange) {
    storeDemo(true);
    TriggerEditorModel model(engine(), random, TriggerEditorRules::newTrigger(), true);
    model.setCooldownSeconds(12);
    EXPECT_EQ(model.cooldownText(), QStringLiteral("12s between fires"));
    model.setCooldownSeconds(600);
    EXPECT_EQ(model.trigger().cooldownSeconds, 60);
    model.setCooldownSeconds(-1);
    EXPECT_EQ(model.trigger().cooldownSeconds, 0);
}

} // namespace
