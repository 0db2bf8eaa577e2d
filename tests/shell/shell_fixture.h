#pragma once

#include "app/components/zing_primary_button.h"
#include "app/screens/onboarding/onboarding_view.h"
#include "engine/app_state.h"
#include "engine/demo_simulator.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "providers/demo/demo_provider.h"
#include "support/fake_clock.h"
#include "support/fake_engine_parts.h"
#include "support/memory_credential_store.h"
#include "support/memory_preferences_store.h"
#include "support/scripted_random_source.h"

#include "support/run_task.h"
#include <gtest/gtest.h>
#include <memory>

// The engine on fakes, for the shell and panel tests. Stored documents can be prepared before state() builds
// it.
class ShellTest : public ::testing::Test, protected FakeEngineParts {
protected:
    static QDateTime at(int hour, int minute, int second = 0) {
        return QDateTime(QDate(2026, 12, 7), QTime(hour, minute, second), Qt::UTC);
    }

    AppState& state() {
        if (!m_state) {
            m_state = std::make_unique<AppState>(dependencies(persistence, keychain, clock));
            m_simulator = std::make_unique<DemoSimulator>(*m_state, m_demoProvider);
        }
        return *m_state;
    }
    DemoSimulator& simulator() {
        state();
        return *m_simulator;
    }

    void storeSettings(const std::function<void(AppSettings&)>& edit) {
        AppSettings settings = AppSettings::defaults();
        edit(settings);
        persistence.encodeSettings(settings);
    }
    void completeOnboarding() {
        storeSettings([](AppSettings& s) { s.hasCompletedOnboarding = true; });
    }
    void editSettings(const std::function<void(AppSettings&)>& edit) {
        AppSettings settings = state().settings();
        edit(settings);
        state().setSettings(settings);
    }
    // A connected Stripe account whose answers come from the `stripe` fake.
    void connectStripe() {
        QList<IntegrationConnection> list = PersistenceManager::defaultIntegrations();
        for (IntegrationConnection& c : list) {
            if (c.provider == IntegrationProvider::stripe) {
                c.isConnected = true;
                c.label = QStringLiteral("connected");
            }
        }
        persistence.encodeIntegrations(list);
        TestTasks::run(keychain.save(QStringLiteral("sk_test"), CredentialAccounts::stripeSecretKey()));
    }
    // One poll that must not suspend.
    void poll() {
        auto task = state().pollOnce();
        ASSERT_TRUE(task.isReady()) << "poll suspended";
    }

    static Goal makeGoal(const char* name, MetricKind metric, double target,
                         IntegrationProvider provider = IntegrationProvider::demo) {
        Goal g;
        g.id = QUuid::createUuid();
        g.name = QString::fromUtf8(name);
        g.provider = provider;
        g.metric = metric;
        g.targetValue = target;
        g.period = GoalPeriod::today;
        g.reaction = ReactionConfig{QStringLiteral("G"), SoundEffect::applause, QStringLiteral("Goal!")};
        return g;
    }

    FakeClock clock{at(10, 0)};
    MemoryPreferencesStore preferences;
    PersistenceManager persistence{preferences, clock};
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    ScriptedRandomSource demoRandom;
    DemoProvider m_demoProvider{clock, demoRandom};

private:
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<DemoSimulator> m_simulator;
};

// Walks the onboarding window to its last page and presses "Let's go"; false when the window has no
// onboarding or no such button.
inline bool finishOnboarding(QWidget* window) {
    auto* onboarding = window ? window->findChild<OnboardingView*>() : nullptr;
    if (!onboarding)
        return false;
    while (onboarding->nextButton()->isVisibleTo(onboarding))
        onboarding->nextButton()->click();
    for (ZingPrimaryButton* button : onboarding->findChildren<ZingPrimaryButton*>()) {
        if (button->text() == QStringLiteral("Let's go") && button->isVisibleTo(onboarding)) {
            button->click();
            return true;
        }
    }
    return false;
}
