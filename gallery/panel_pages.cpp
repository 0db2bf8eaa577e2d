#include "app/screens/panel/menu_bar_panel_view.h"
#include "app/screens/panel/panel_window.h"
#include "app/shell/context_menu_entries.h"
#include "gallery/gallery.h"
#include "model/credential_accounts.h"
#include "providers/provider_error.h"

#include <QMenu>

namespace {

const QSize kPanel(360, 560);

void storeSettings(GalleryFixture& f, bool demo) {
    AppSettings settings = AppSettings::defaults();
    settings.hasCompletedOnboarding = true;
    settings.demoModeEnabled = demo;
    f.persistence.encodeSettings(settings);
}

// Stripe connected and publishing today's figures in its account's currency.
void connectStripe(GalleryFixture& f, const QString& currency = QStringLiteral("USD"),
                   const QString& summary = QString::fromUtf8("$340 today · MRR $2,310")) {
    QList<IntegrationConnection> list = PersistenceManager::defaultIntegrations();
    for (IntegrationConnection& c : list) {
        if (c.provider == IntegrationProvider::stripe) {
            c.isConnected = true;
            c.label = QStringLiteral("Acme Inc.");
        }
    }
    f.persistence.encodeIntegrations(list);
    f.credentials.put(CredentialAccounts::stripeSecretKey(), QByteArrayLiteral("sk_live_gallery"));
    f.stripe.setCurrencyCode(currency);
    f.stripe.setDisplaySummary(summary);
    f.stripe.setFetchedAt(f.clock.now());
    f.stripe.setStandingMetrics({{MetricKind::totalRevenue, 18420},
                                 {MetricKind::mrr, 2310},
                                 {MetricKind::recurringMrr, 2140},
                                 {MetricKind::arr, 27720},
                                 {MetricKind::revenueToday, 340}});
}

Goal todayGoal(const char* name, IntegrationProvider provider, MetricKind metric, double target) {
    Goal goal;
    goal.id = QUuid::createUuid();
    goal.name = QString::fromUtf8(name);
    goal.provider = provider;
    goal.metric = metric;
    goal.targetValue = target;
    goal.period = GoalPeriod::today;
    goal.reaction =
        ReactionConfig{QString::fromUtf8("\U0001F4B0"), SoundEffect::chaChing, QStringLiteral("Cha-ching!")};
    return goal;
}

QWidget* panel(GalleryFixture& f, MenuTab tab = MenuTab::dashboard) {
    // The fakes answer at once, so the poll is over before the page is drawn.
    [[maybe_unused]] auto polling = f.state().pollOnce();
    f.state().setSelectedTab(tab);
    return new MenuBarPanelView(f.state(), f.shell, f.demoSimulator(), f.connectSession());
}

QWidget* demoDashboard(GalleryFixture& f) {
    storeSettings(f, true);
    f.demo.setDisplaySummary(QString::fromUtf8("$1,284 today · 27 sales"));
    f.demo.setFetchedAt(f.clock.now());
    f.demo.setStandingMetrics({{MetricKind::revenueToday, 1284},
                               {MetricKind::revenue7d, 9310},
                               {MetricKind::purchaseCountToday, 27},
                               {MetricKind::refundCountToday, 1}});
    return panel(f);
}

QWidget* contextMenu(bool onboardingCompleted) {
    auto* menu = new QMenu;
    ContextMenuEntries::fill(*menu, ContextMenuEntries::build(onboardingCompleted),
                             [](ContextMenuEntries::Action) {});
    menu->setFixedSize(menu->sizeHint());
    return menu;
}

} // namespace

ZINGBOARD_GALLERY_AREA(panel) {
    gallery.add({QStringLiteral("panel-dashboard-demo"), kPanel, demoDashboard, false});
    gallery.add({QStringLiteral("panel-dashboard-goals"), kPanel,
                 [](GalleryFixture& f) {
                     storeSettings(f, false);
                     connectStripe(f, QStringLiteral("EUR"), QString::fromUtf8("€340 today · MRR €2,310"));
                     Goal done = todayGoal("Coffee money", IntegrationProvider::stripe,
                                           MetricKind::revenueToday, 250);
                     done.lastTriggeredAt = f.clock.now().addSecs(-3600);
                     const Goal big = todayGoal("A four-figure day to remember for the whole team",
                                                IntegrationProvider::stripe, MetricKind::revenueToday, 1000);
                     const Goal sales = todayGoal("Ten sales", IntegrationProvider::stripe,
                                                  MetricKind::purchaseCountToday, 10);
                     f.persistence.encodeGoals({done, big, sales});
                     return panel(f);
                 },
                 false});
    gallery.add({QStringLiteral("panel-dashboard-error"), kPanel,
                 [](GalleryFixture& f) {
                     storeSettings(f, false);
                     connectStripe(f);
                     f.persistence.encodeGoals({});
                     f.stripe.queueMetricsError(std::make_exception_ptr(ProviderError::apiError(
                         QStringLiteral("Invalid API Key provided: sk_live_****lery"))));
                     return panel(f);
                 },
                 false});
    gallery.add({QStringLiteral("panel-goals"), kPanel,
                 [](GalleryFixture& f) {
                     storeSettings(f, true);
                     return panel(f, MenuTab::goals);
                 },
                 false});
    gallery.add({QStringLiteral("panel-triggers"), kPanel,
                 [](GalleryFixture& f) {
                     storeSettings(f, true);
                     return panel(f, MenuTab::triggers);
                 },
                 false});
    gallery.add({QStringLiteral("panel-connect"), kPanel,
                 [](GalleryFixture& f) {
                     storeSettings(f, true);
                     return panel(f, MenuTab::connect);
                 },
                 false});
    gallery.add({QStringLiteral("panel-help"), kPanel,
                 [](GalleryFixture& f) {
                     storeSettings(f, true);
                     return panel(f, MenuTab::help);
                 },
                 false});
    gallery.add({QStringLiteral("panel-no-tray-window"), kPanel,
                 [](GalleryFixture& f) -> QWidget* {
                     return new PanelWindow(demoDashboard(f), PanelWindow::Mode::window);
                 },
                 false});
    gallery.add({QStringLiteral("tray-context-menu"), QSize(300, 220),
                 [](GalleryFixture&) { return contextMenu(true); }, true});
    gallery.add({QStringLiteral("tray-context-menu-before-setup"), QSize(300, 160),
                 [](GalleryFixture&) { return contextMenu(false); }, true});
}
