#include "engine_fixture.h"
#include "support/run_task.h"

namespace {

using P = IntegrationProvider;
using M = MetricKind;

class EngineState : public EngineTest {};

TEST_F(EngineState, FirstLaunchStoresDefaults) {
    engine();
    EXPECT_EQ(engine().settings(), AppSettings::defaults());
    EXPECT_EQ(engine().goals().size(), PersistenceManager::defaultGoals().size());
    EXPECT_EQ(engine().triggers().size(), PersistenceManager::defaultTriggers().size());
    EXPECT_EQ(engine().integrations(), PersistenceManager::defaultIntegrations());
    EXPECT_EQ(persistence.decodeSettings(), engine().settings());
    EXPECT_EQ(persistence.decodeGoals(), engine().goals());
    EXPECT_EQ(persistence.decodeTriggers(), engine().triggers());
    EXPECT_EQ(persistence.loadIntegrations(), engine().integrations());
    EXPECT_EQ(engine().selectedTab(), MenuTab::dashboard);
    EXPECT_TRUE(engine().snapshots().isEmpty());
    EXPECT_FALSE(engine().lastPollAt());
    EXPECT_FALSE(engine().lastError());
}

TEST_F(EngineState, MenuBarTitle) {
    const struct {
        const char* name;
        bool show;
        std::optional<M> preferred;
        bool demoOn;
        QMap<P, QHash<M, double>> snapshots;
        QString expected;
    } cases[] = {
        {"dollars rounded",
         true,
         M::revenueToday,
         false,
         {{P::stripe, {{M::revenueToday, 1234.5}}}},
         QStringLiteral("$1235")},
        {"half up even from an even number",
         true,
         M::sessionsToday,
         false,
         {{P::googleAnalytics, {{M::sessionsToday, 2.5}}}},
         QStringLiteral("3")},
        {"small negative is not minus zero",
         true,
         M::sessionsToday,
         false,
         {{P::googleAnalytics, {{M::sessionsToday, -0.3}}}},
         QStringLiteral("0")},
        {"weekly dollars",
         true,
         M::revenue7d,
         false,
         {{P::stripe, {{M::revenue7d, 99.4}}}},
         QStringLiteral("$99")},
        {"plain count",
         true,
         M::sessionsToday,
         false,
         {{P::googleAnalytics, {{M::sessionsToday, 17.4}}}},
         QStringLiteral("17")},
        {"no separators",
         true,
         M::pageviewsToday,
         false,
         {{P::googleAnalytics, {{M::pageviewsToday, 1234567}}}},
         QStringLiteral("1234567")},
        {"hidden", false, M::revenueToday, false, {{P::stripe, {{M::revenueToday, 10}}}}, QString()},
        {"no preference", true, std::nullopt, false, {{P::stripe, {{M::revenueToday, 10}}}}, QString()},
        {"no value", true, M::revenueToday, false, {{P::stripe, {{M::mrr, 10}}}}, QString()},
        {"demo skipped when off",
         true,
         M::revenueToday,
         false,
         {{P::demo, {{M::revenueToday, 10}}}},
         QString()},
        {"demo used when on",
         true,
         M::revenueToday,
         true,
         {{P::demo, {{M::revenueToday, 10}}}},
         QStringLiteral("$10")},
        {"first provider wins",
         true,
         M::revenueToday,
         true,
         {{P::demo, {{M::revenueToday, 10}}}, {P::stripe, {{M::revenueToday, 20}}}},
         QStringLiteral("$20")},
    };
    for (const auto& c : cases) {
        relaunch();
        storeSettings([&](AppSettings& s) {
            s.showMenuBarMetric = c.show;
            s.preferredMenuBarMetric = c.preferred;
            s.demoModeEnabled = c.demoOn;
        });
        QList<P> connected;
        for (auto it = c.snapshots.begin(); it != c.snapshots.end(); ++it) {
            FakeMetricProvider* fake = it.key() == P::stripe ? &stripe : it.key() == P::demo ? &demo : &ga;
            fake->queueMetrics(it.value());
            if (it.key() != P::demo)
                connected.append(it.key());
        }
        storeConnected(connected);
        if (connected.contains(P::googleAnalytics))
            signInToGoogle(true, false);
        // The demo snapshot of a demo that is off is never published, so place it by hand.
        if (!c.demoOn && c.snapshots.contains(P::demo)) {
            storeSettings([&](AppSettings& s) {
                s.showMenuBarMetric = c.show;
                s.preferredMenuBarMetric = c.preferred;
                s.demoModeEnabled = true;
            });
            poll();
            AppSettings settings = engine().settings();
            settings.demoModeEnabled = false;
            engine().setSettings(settings);
        } else {
            if (connected.contains(P::googleAnalytics)) {
                storeSettings([&](AppSettings& s) {
                    s.showMenuBarMetric = c.show;
                    s.preferredMenuBarMetric = c.preferred;
                    s.googleIntegration.gaPropertyId = QStringLiteral("properties/1");
                });
            }
            poll();
        }
        EXPECT_EQ(engine().menuBarTitle(), c.expected) << c.name;
    }
}

// A yen account's amounts are yen wherever they show: title, goal reaction, rise reaction.
TEST_F(EngineState, StripeAmountsShowTheSnapshotsCurrency) {
    storeSettings([](AppSettings& s) { s.preferredMenuBarMetric = M::revenueToday; });
    storeConnected({P::stripe});
    storeGoals({makeGoal(P::stripe, M::revenueToday, 1000, GoalPeriod::today, "yen goal")});
    storeTriggers({makeTrigger(P::stripe, TriggerEventKind::stripeMRR, "mrr up")});
    stripe.setCurrencyCode(QStringLiteral("JPY"));
    stripe.queueMetrics({{M::revenueToday, 900}, {M::mrr, 1000}});
    stripe.queueMetrics({{M::revenueToday, 1500}, {M::mrr, 1500}});
    poll();
    clock.advanceSeconds(30);
    poll();
    EXPECT_EQ(engine().menuBarTitle(), QString::fromUtf8("\u00A51500"));
    EXPECT_EQ(engine().currencyCode(P::stripe), QStringLiteral("JPY"));
    QStringList amounts;
    for (const ActiveReaction& r : fired)
        amounts.append(r.details->formattedAmount().value_or(QString()));
    EXPECT_EQ(amounts, (QStringList{QString::fromUtf8("+\u00A5500 \u00B7 \u00A51500 total"),
                                    QString::fromUtf8("\u00A51500 / \u00A51000")}));

    // Figures that switched currency are no rise.
    clock.advanceSeconds(30);
    stripe.setCurrencyCode(QStringLiteral("USD"));
    stripe.queueMetrics({{M::revenueToday, 1500}, {M::mrr, 9000}});
    poll();
    EXPECT_EQ(fired.size(), 2);
    EXPECT_EQ(engine().menuBarTitle(), QStringLiteral("$1500"));
}

TEST_F(EngineState, ConnectedSourceCountAndActivity) {
    signInToGoogle(true, true);
    storeConnected({P::stripe});
    EXPECT_EQ(engine().connectedSourceCount(), 2);
    EXPECT_TRUE(engine().isProviderActive(P::googleAnalytics));
    EXPECT_TRUE(engine().isProviderActive(P::googleSearchConsole));
    EXPECT_FALSE(engine().isProviderActive(P::datafast));
    EXPECT_FALSE(engine().isProviderActive(P::demo));

    // An empty refresh token is no sign-in.
    TestTasks::run(keychain.save(QString(), CredentialAccounts::googleRefreshToken()));
    // The engine learns of it when it reads the keyring again, never by reading it on the caller's thread.
    EXPECT_TRUE(engine().isProviderActive(P::googleAnalytics));
    TestTasks::run(engine().refreshGoogleSignIn());
    EXPECT_FALSE(engine().isProviderActive(P::googleAnalytics));
    EXPECT_EQ(engine().connectedSourceCount(), 1);
    engine().setDemoModeEnabled(true);
    EXPECT_EQ(engine().connectedSourceCount(), 1);
}

TEST_F(EngineState, IntegrationForAProviderWithoutRecord) {
    persistence.encodeIntegrations({});
    EXPECT_EQ(engine().integration(P::stripe), IntegrationConnection::disconnected(P::stripe));
    EXPECT_TRUE(engine().integrations().isEmpty());
}

TEST_F(EngineState, SyncGoogleIntegrationState) {
    signInToGoogle(true, true);
    engine();
    IntegrationConnection ga = engine().integration(P::googleAnalytics);
    EXPECT_EQ(ga, (IntegrationConnection{P::googleAnalytics, true, QStringLiteral("My site"), clock.now()}));
    EXPECT_EQ(engine().integration(P::googleSearchConsole),
              (IntegrationConnection{P::googleSearchConsole, true, QStringLiteral("sc-domain:example.com"),
                                     clock.now()}));
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::ga4PropertyId())),
              QStringLiteral("properties/1"));
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::gscSiteUrl())),
              QStringLiteral("sc-domain:example.com"));

    // Without a property name the id is the label; without a sign-in both are disconnected.
    AppSettings settings = engine().settings();
    settings.googleIntegration.gaPropertyName.reset();
    engine().setSettings(settings);
    TestTasks::run(engine().syncGoogleIntegrationState());
    EXPECT_EQ(engine().integration(P::googleAnalytics).label, QStringLiteral("properties/1"));
    TestTasks::run(keychain.remove(CredentialAccounts::googleRefreshToken()));
    TestTasks::run(engine().syncGoogleIntegrationState());
    EXPECT_EQ(engine().integration(P::googleAnalytics),
              IntegrationConnection::disconnected(P::googleAnalytics));
    EXPECT_EQ(engine().integration(P::googleSearchConsole),
              IntegrationConnection::disconnected(P::googleSearchConsole));
    EXPECT_EQ(persistence.loadIntegrations(), engine().integrations());
}

TEST_F(EngineState, ConnectChecksCredentialsFirst) {
    TestTasks::run(keychain.save(QStringLiteral("sk_test"), CredentialAccounts::stripeSecretKey()));
    validator.error =
        std::make_exception_ptr(ProviderError::apiError(QStringLiteral("Stripe rejected that key.")));
    engine();
    const QList<IntegrationConnection> before = engine().integrations();
    try {
        TestTasks::run(engine().connectProvider(P::stripe, QStringLiteral("Stripe")));
        ADD_FAILURE() << "connect should fail";
    } catch (const ProviderError& error) {
        EXPECT_EQ(error.description(), QStringLiteral("Stripe rejected that key."));
    }
    EXPECT_EQ(engine().integrations(), before);
    EXPECT_EQ(stripe.resets(), 0);

    validator.error = nullptr;
    clock.advanceSeconds(5);
    TestTasks::run(engine().connectProvider(P::stripe, QStringLiteral("acct")));
    EXPECT_EQ(engine().integration(P::stripe),
              (IntegrationConnection{P::stripe, true, QStringLiteral("acct"), clock.now()}));
    EXPECT_EQ(stripe.resets(), 1);
    EXPECT_EQ(persistence.loadIntegrations(), engine().integrations());
    EXPECT_EQ(validator.checked, (QList<P>{P::stripe, P::stripe}));
}

TEST_F(EngineState, ConnectSkipsTheCheckWithoutStoredCredentials) {
    TestTasks::run(keychain.save(QStringLiteral("df_key"), CredentialAccounts::datafastApiKey()));
    TestTasks::run(engine().connectProvider(P::datafast, QStringLiteral("site")));
    EXPECT_TRUE(validator.checked.isEmpty());
    EXPECT_TRUE(engine().integration(P::datafast).isConnected);

    TestTasks::run(keychain.save(QStringLiteral("site-1"), CredentialAccounts::datafastWebsiteId()));
    TestTasks::run(engine().connectProvider(P::datafast, QStringLiteral("site")));
    EXPECT_EQ(validator.checked, QList<P>{P::datafast});
}

TEST_F(EngineState, DisconnectStripe) {
    storeConnected({P::stripe});
    TestTasks::run(keychain.save(QStringLiteral("sk_test"), CredentialAccounts::stripeSecretKey()));
    stripe.setStandingMetrics({{M::revenueToday, 3}});
    poll();
    TestTasks::run(engine().disconnectProvider(P::stripe));
    EXPECT_EQ(engine().integration(P::stripe), IntegrationConnection::disconnected(P::stripe));
    EXPECT_FALSE(TestTasks::run(keychain.load(CredentialAccounts::stripeSecretKey())));
    EXPECT_FALSE(engine().snapshots().contains(P::stripe));
    EXPECT_TRUE(engine().metricBaselines().contains(P::stripe));
    EXPECT_EQ(stripe.resets(), 1);
    EXPECT_EQ(persistence.loadIntegrations(), engine().integrations());
}

TEST_F(EngineState, DisconnectGoogle) {
    signInToGoogle(true, true);
    TestTasks::run(keychain.save(QStringLiteral("access"), CredentialAccounts::googleAccessToken()));
    ga.setStandingMetrics({{M::sessions, 1}});
    gsc.setStandingMetrics({{M::clicks, 1}});
    poll();
    ASSERT_EQ(engine().snapshots().size(), 2);
    revoker.error = std::make_exception_ptr(ProviderError::invalidResponse());
    TestTasks::run(engine().disconnectGoogle());
    EXPECT_EQ(revoker.calls, 1);
    for (const QString& account :
         {CredentialAccounts::googleAccessToken(), CredentialAccounts::googleRefreshToken(),
          CredentialAccounts::ga4PropertyId(), CredentialAccounts::gscSiteUrl()})
        EXPECT_FALSE(TestTasks::run(keychain.load(account))) << account.toStdString();
    EXPECT_EQ(engine().settings().googleIntegration, GoogleIntegrationMetadata{});
    EXPECT_FALSE(engine().integration(P::googleAnalytics).isConnected);
    EXPECT_FALSE(engine().integration(P::googleSearchConsole).isConnected);
    EXPECT_TRUE(engine().snapshots().isEmpty());
    EXPECT_EQ(persistence.decodeSettings(), engine().settings());

    // Without a refresh token nothing is revoked.
    TestTasks::run(engine().disconnectGoogle());
    EXPECT_EQ(revoker.calls, 1);
}

TEST_F(EngineState, DemoSwitch) {
    engine();
    const int writesBefore = preferences.writeAttempts();
    engine().setDemoModeEnabled(false);
    EXPECT_EQ(preferences.writeAttempts(), writesBefore); // unchanged: no save
    engine().setDemoModeEnabled(true);
    EXPECT_GT(preferences.writeAttempts(), writesBefore);
    EXPECT_EQ(demo.metricsCalls(), 0); // switching on does not poll
    demo.setStandingMetrics({{M::revenueToday, 1}});
    poll();
    EXPECT_TRUE(engine().snapshots().contains(P::demo));
    // The binding writes through the same switch.
    engine().setProperty("demoModeEnabled", false);
    EXPECT_FALSE(engine().snapshots().contains(P::demo));
    EXPECT_FALSE(engine().metricBaselines().contains(P::demo));
    EXPECT_FALSE(persistence.decodeSettings()->demoModeEnabled);
}

TEST_F(EngineState, MenuTabs) {
    EXPECT_EQ(MenuTabs::mainTabs(),
              (QList<MenuTab>{MenuTab::dashboard, MenuTab::goals, MenuTab::triggers, MenuTab::connect}));
    for (MenuTab tab : MenuTabs::allCases())
        EXPECT_EQ(MenuTabs::fromRawValue(MenuTabs::rawValue(tab)), tab);
    EXPECT_EQ(MenuTabs::rawValue(MenuTab::help), QStringLiteral("help"));
    EXPECT_FALSE(MenuTabs::fromRawValue(QStringLiteral("Help")));
}

} // namespace
