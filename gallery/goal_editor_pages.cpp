#include "app/screens/goals/goal_editor_rules.h"
#include "app/screens/goals/goal_editor_sheet.h"
#include "app/screens/triggers/trigger_editor_rules.h"
#include "app/screens/triggers/trigger_editor_sheet.h"
#include "gallery/gallery.h"

namespace {

void setDemo(GalleryFixture& f, bool on) {
    AppSettings settings = f.state().settings();
    settings.demoModeEnabled = on;
    f.state().setSettings(settings);
}

Goal positionGoal() {
    Goal goal = GoalEditorRules::newGoal();
    goal.name = QStringLiteral("Top 5 in search this week");
    goal.provider = IntegrationProvider::googleSearchConsole;
    goal.metric = MetricKind::avgPosition;
    goal.targetValue = 5;
    goal.period = GoalPeriod::rolling7d;
    goal.reaction = ReactionConfig{QString::fromUtf8("\U0001F451"), SoundEffect::rocketWhoosh,
                                   QStringLiteral("Page one vibes!")};
    return goal;
}

} // namespace

ZINGBOARD_GALLERY_AREA(goal_editors) {
    const QSize editor(720, 620);
    gallery.add({QStringLiteral("goal-editor-new"), editor,
                 [](GalleryFixture& f) {
                     setDemo(f, true);
                     return new GoalEditorSheet(f.state(), f.shell, GoalEditorRules::newGoal(), true, nullptr,
                                                nullptr);
                 },
                 false});
    gallery.add({QStringLiteral("goal-editor-existing"), editor,
                 [](GalleryFixture& f) {
                     setDemo(f, true);
                     return new GoalEditorSheet(f.state(), f.shell, positionGoal(), false, nullptr, nullptr);
                 },
                 false});
    gallery.add({QStringLiteral("goal-editor-not-connected"), editor,
                 [](GalleryFixture& f) {
                     setDemo(f, false);
                     return new GoalEditorSheet(f.state(), f.shell, f.state().goals().at(1), false, nullptr,
                                                nullptr);
                 },
                 false});
    gallery.add({QStringLiteral("trigger-editor-new"), editor,
                 [](GalleryFixture& f) {
                     setDemo(f, true);
                     return new TriggerEditorSheet(f.state(), f.shell, TriggerEditorRules::newTrigger(), true,
                                                   nullptr, nullptr);
                 },
                 false});
    gallery.add({QStringLiteral("trigger-editor-existing"), editor,
                 [](GalleryFixture& f) {
                     setDemo(f, true);
                     return new TriggerEditorSheet(f.state(), f.shell, f.state().triggers().at(3), false,
                                                   nullptr, nullptr);
                 },
                 false});
    gallery.add({QStringLiteral("trigger-editor-not-connected"), editor,
                 [](GalleryFixture& f) {
                     setDemo(f, false);
                     return new TriggerEditorSheet(f.state(), f.shell, f.state().triggers().at(2), false,
                                                   nullptr, nullptr);
                 },
                 false});
}
