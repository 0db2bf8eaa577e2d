#include "app/credential_connector.h"
#include "engine/app_state.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "providers/stripe/stripe_provider.h"
#include "support/fake_clock.h"
#include "support/fake_engine_parts.h"
#include "support/memory_preferences_store.h"
#include "support/run_task.h"
#include "support/scripted_http_client.h"
#include "support/stalled_credential_store.h"

#include <QElapsedTimer>
#include <QTimer>
#include <chrono>
#include <functional>
#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

// Each keyring call stalls this long before it fails; a GUI thread waiting on one would miss many ticks.
constexpr auto kStall = 300ms;
constexpr auto kTick = 10ms;
// Far above one tick, far below one stalled call.
constexpr auto kLateTick = 150ms;

// A keyring that never answers, under the engine with the real Stripe provider (which reads its key at each
// poll) and a chosen Google service (whose sign-in each poll reads again).
class StalledKeyring : public ::testing::Test, protected FakeEngineParts {
protected:
    StalledKeyring() {
        AppSettings settings = AppSettings::defaults();
        settings.googleIntegration.gaPropertyId = QStringLiteral("1");
        persistence.encodeSettings(settings);
        QList<IntegrationConnection> integrations = PersistenceManager::defaultIntegrations();
        for (IntegrationConnection& c : integrations)
            c.isConnected = c.provider == IntegrationProvider::stripe ||
                            c.provider == IntegrationProvider::googleAnalytics;
        persistence.encodeIntegrations(integrations);
    }
    ~StalledKeyring() override { store.release(); }

    // Runs `task` with a 10 ms timer on this thread; returns the longest gap between its ticks. The task's
    // failure, if any, is kept in `failure`.
    template <typename T> std::chrono::milliseconds longestTickGap(QCoro::Task<T> task) {
        QElapsedTimer sinceTick;
        std::chrono::milliseconds longest{0};
        QTimer timer;
        timer.setTimerType(Qt::PreciseTimer);
        QObject::connect(&timer, &QTimer::timeout, [&] {
            longest = std::max(longest, std::chrono::milliseconds(sinceTick.restart()));
        });
        QElapsedTimer whole;
        whole.start();
        sinceTick.start();
        timer.start(kTick);
        try {
            TestTasks::run(std::move(task));
        } catch (const ZingError& error) {
            failure = error.description();
        }
        longest = std::max(longest, std::chrono::milliseconds(sinceTick.elapsed()));
        // The task did wait on the keyring: otherwise nothing was measured.
        EXPECT_GE(whole.elapsed(), kStall.count());
        return longest;
    }

    std::optional<QString> failure;
    StalledCredentialStore store{kStall};
    KeychainStore keychain{store};
    FakeClock clock;
    MemoryPreferencesStore preferences;
    PersistenceManager persistence{preferences, clock};
    ScriptedHttpClient http;
    StripeProvider stripeProvider{http, keychain, clock, ServiceEndpoints{}};
};

TEST_F(StalledKeyring, APollKeepsTheEventLoopTurningAndFailsTheSourcesItCannotRead) {
    AppState state(AppStateDependencies{persistence, keychain, demo, stripeProvider, ga, datafast, gsc, clock,
                                        random, sound, validator, revoker});
    EXPECT_LT(longestTickGap(state.pollOnce()), kLateTick);
    EXPECT_FALSE(state.isPolling());
    EXPECT_TRUE(state.lastError().value_or(QString()).startsWith(QStringLiteral("Stripe: ")));
    EXPECT_FALSE(state.snapshots().contains(IntegrationProvider::stripe));
    // No sign-in could be read, so the Google service was not polled.
    EXPECT_FALSE(state.hasGoogleSignIn());
    EXPECT_EQ(ga.metricsCalls(), 0);
    EXPECT_TRUE(http.requests().isEmpty());
}

TEST_F(StalledKeyring, ALaunchWithNoGoogleServiceChosenLeavesTheKeyringAlone) {
    persistence.encodeSettings(AppSettings::defaults());
    AppState state(AppStateDependencies{persistence, keychain, demo, stripeProvider, ga, datafast, gsc, clock,
                                        random, sound, validator, revoker});
    // The keyring runs calls in order: a read of our own, queued behind anything the launch asked for, is
    // the only call.
    TestTasks::run(keychain.load(QStringLiteral("after-launch")));
    EXPECT_EQ(store.calls(), 1);
}

TEST_F(StalledKeyring, AConnectKeepsTheEventLoopTurningAndFailsAsNotStored) {
    AppState state(AppStateDependencies{persistence, keychain, demo, stripeProvider, ga, datafast, gsc, clock,
                                        random, sound, validator, revoker});
    CredentialConnector connector(state, keychain);
    const int callsBefore = store.calls();
    EXPECT_LT(longestTickGap(connector.connectStripe(QStringLiteral("sk_live_x"))), kLateTick);
    EXPECT_EQ(failure, CredentialConnector::notStoredText());
    // Read the old key, store, read back, put the old state back: all on the worker.
    EXPECT_GE(store.calls() - callsBefore, 4);
    EXPECT_TRUE(validator.checked.isEmpty());
}

} // namespace
