#include "app/screens/goals/goals_view.h"
#include "app/screens/triggers/triggers_view.h"
#include "gallery/gallery.h"

namespace {

// Stripe connected with today's revenue published, the demo source off.
void connectStripe(GalleryFixture& f) {
    f.stripe.setStandingMetrics({{MetricKind::revenueToday, 64}});
    [[maybe_unused]] auto connecting =
        f.state().connectProvider(IntegrationProvider::stripe, QStringLiteral("Acme"));
    // The connect reads the keyring first; the poll must see Stripe connected.
    f.settle();
    [[maybe_unused]] auto polling = f.state().pollOnce();
}

QList<Goal> sampleGoals(GalleryFixture& f) {
    QList<Goal> goals = f.state().goals();
    Goal position;
    position.id = QUuid::createUuid();
    position.name = QStringLiteral("Top 5 in search this week");
    position.provider = IntegrationProvider::googleSearchConsole;
    position.metric = MetricKind::avgPosition;
    position.targetValue = 5;
    position.period = GoalPeriod::rolling7d;
    position.reaction = ReactionConfig{QString::fromUtf8("\U0001F451"), SoundEffect::rocketWhoosh,
                                       QStringLiteral("Page one vibes!")};
    position.isEnabled = false;
    goals.append(position);
    goals[1].lastTriggeredAt = f.clock.now().addSecs(-1800);
    return goals;
}

} // namespace

ZINGBOARD_GALLERY_AREA(goals) {
    const QSize tab(380, 560);
    gallery.add({QStringLiteral("goals-tab-empty"), tab,
                 [](GalleryFixture& f) {
                     f.state().setGoals({});
                     return new GoalsView(f.state(), f.shell);
                 },
                 false});
    gallery.add({QStringLiteral("goals-tab"), tab,
                 [](GalleryFixture& f) {
                     connectStripe(f);
                     f.state().setGoals(sampleGoals(f));
                     return new GoalsView(f.state(), f.shell);
                 },
                 false});
    gallery.add({QStringLiteral("goals-tab-undo"), tab,
                 [](GalleryFixture& f) {
                     auto* view = new GoalsView(f.state(), f.shell);
                     view->model().remove(f.state().goals().last().id);
                     return view;
                 },
                 false});
    gallery.add({QStringLiteral("triggers-tab-empty"), tab,
                 [](GalleryFixture& f) {
                     f.state().setTriggers({});
                     return new TriggersView(f.state(), f.shell);
                 },
                 false});
    gallery.add({QStringLiteral("triggers-tab"), tab,
                 [](GalleryFixture& f) {
                     connectStripe(f);
                     return new TriggersView(f.state(), f.shell);
                 },
                 false});
    gallery.add({QStringLiteral("triggers-tab-undo"), tab,
                 [](GalleryFixture& f) {
                     auto* view = new TriggersView(f.state(), f.shell);
                     view->model().remove(f.state().triggers().at(1).id);
                     return view;
                 },
                 false});
}
