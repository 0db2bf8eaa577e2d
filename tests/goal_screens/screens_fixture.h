#pragma once

#include "engine/app_state.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "support/fake_clock.h"
#include "support/fake_engine_parts.h"
#include "support/memory_credential_store.h"
#include "support/memory_preferences_store.h"

#include <gtest/gtest.h>
#include <memory>

// The engine on fakes, with the documents a test prepares before engine() first builds it.
class ScreensTest : public ::testing::Test, protected FakeEngineParts {
protected:
    AppState& engine() {
        if (!m_engine)
            m_engine = std::make_unique<AppState>(dependencies(persistence, keychain, clock));
        return *m_engine;
    }

    // A later launch with these settings and connections (the stores are overwritten, not cleared).
    AppState& relaunch(bool demo, const QList<IntegrationProvider>& connected) {
        m_engine.reset();
        storeDemo(demo);
        storeConnected(connected);
        return engine();
    }
    void storeDemo(bool on) {
        AppSettings settings = AppSettings::defaults();
        settings.demoModeEnabled = on;
        persistence.encodeSettings(settings);
    }
    void storeConnected(const QList<IntegrationProvider>& providers) {
        QList<IntegrationConnection> list = PersistenceManager::defaultIntegrations();
        for (IntegrationConnection& c : list) {
            if (providers.contains(c.provider)) {
                c.isConnected = true;
                c.label = QStringLiteral("connected");
                c.configuredAt = clock.now();
            }
        }
        persistence.encodeIntegrations(list);
    }
    // Publishes one Stripe snapshot through a poll (Stripe must be connected).
    void publishStripe(QHash<MetricKind, double> values) {
        stripe.setStandingMetrics(std::move(values));
        auto task = engine().pollOnce();
        ASSERT_TRUE(task.isReady()) << "poll suspended";
    }

    static Goal makeGoal(const char* name, IntegrationProvider provider, MetricKind metric, double target) {
        Goal goal;
        goal.id = QUuid::createUuid();
        goal.name = QString::fromUtf8(name);
        goal.provider = provider;
        goal.metric = metric;
        goal.targetValue = target;
        goal.reaction = ReactionConfig{QStringLiteral("G"), SoundEffect::applause, QStringLiteral("Goal!")};
        return goal;
    }
    static EventTrigger makeTrigger(const char* name, IntegrationProvider provider, TriggerEventKind kind) {
        EventTrigger trigger;
        trigger.id = QUuid::createUuid();
        trigger.name = QString::fromUtf8(name);
        trigger.provider = provider;
        trigger.eventKind = kind;
        trigger.reaction = ReactionConfig{QStringLiteral("T"), SoundEffect::chaChing, QStringLiteral("Hey")};
        return trigger;
    }
    static QStringList namesOf(const auto& records) {
        QStringList names;
        for (const auto& record : records)
            names.append(record.name);
        return names;
    }

    FakeClock clock;
    MemoryPreferencesStore preferences;
    PersistenceManager persistence{preferences, clock};
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};

private:
    std::unique_ptr<AppState> m_engine;
};
