#pragma once

#include "engine/app_state.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "providers/provider_error.h"
#include "support/fake_clock.h"
#include "support/fake_engine_parts.h"
#include "support/memory_credential_store.h"
#include "support/memory_preferences_store.h"
#include "support/run_task.h"

#include <gtest/gtest.h>
#include <memory>

// The engine wired to fakes. Stored documents and credentials can be prepared before engine() builds it.
class EngineTest : public ::testing::Test, protected FakeEngineParts {
protected:
    static QDateTime at(int hour, int minute, int second = 0) {
        return QDateTime(QDate(2026, 12, 7), QTime(hour, minute, second), Qt::UTC);
    }

    AppState& engine() {
        if (!m_engine) {
            m_engine = makeEngine();
            // Launch reads the Google sign-in from the keyring on its worker; tests start once it has.
            TestTasks::run(m_engine->syncGoogleIntegrationState());
            m_engine->reactionStore().setOnWillAppend([this](const ActiveReaction& r) { fired.append(r); });
        }
        return *m_engine;
    }
    std::unique_ptr<AppState> makeEngine() {
        return std::make_unique<AppState>(dependencies(persistence, keychain, clock));
    }
    // A later launch on the same stores.
    void relaunch() {
        m_engine.reset();
        fired.clear();
    }

    void storeSettings(const std::function<void(AppSettings&)>& edit) {
        AppSettings settings = AppSettings::defaults();
        edit(settings);
        persistence.encodeSettings(settings);
    }
    void storeGoals(const QList<Goal>& goals) { persistence.encodeGoals(goals); }
    void storeTriggers(const QList<EventTrigger>& triggers) { persistence.encodeTriggers(triggers); }
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
    void signInToGoogle(bool analytics, bool searchConsole) {
        TestTasks::run(keychain.save(QStringLiteral("refresh"), CredentialAccounts::googleRefreshToken()));
        storeSettings([&](AppSettings& s) {
            if (analytics) {
                s.googleIntegration.gaPropertyId = QStringLiteral("properties/1");
                s.googleIntegration.gaPropertyName = QStringLiteral("My site");
            }
            if (searchConsole)
                s.googleIntegration.gscSiteUrl = QStringLiteral("sc-domain:example.com");
        });
    }

    static Goal makeGoal(IntegrationProvider provider, MetricKind metric, double target,
                         GoalPeriod period = GoalPeriod::today, const char* name = "goal") {
        Goal g;
        g.id = QUuid::createUuid();
        g.name = QString::fromUtf8(name);
        g.provider = provider;
        g.metric = metric;
        g.targetValue = target;
        g.period = period;
        g.reaction = ReactionConfig{QStringLiteral("G"), SoundEffect::applause, QStringLiteral("Goal!")};
        return g;
    }
    static EventTrigger makeTrigger(IntegrationProvider provider, TriggerEventKind kind, const char* name,
                                    double cooldown = 0, bool enabled = true) {
        EventTrigger t;
        t.id = QUuid::createUuid();
        t.name = QString::fromUtf8(name);
        t.provider = provider;
        t.eventKind = kind;
        t.reaction = ReactionConfig{QStringLiteral("T"), SoundEffect::chaChing, QString::fromUtf8(name)};
        t.isEnabled = enabled;
        t.cooldownSeconds = cooldown;
        return t;
    }
    static ProviderEvent charge(IntegrationProvider provider, qint64 cents, const char* email = nullptr) {
        StripeTransactionDetails tx;
        tx.amountCents = cents;
        tx.chargeId = QStringLiteral("ch_test");
        if (email)
            tx.customerEmail = QString::fromUtf8(email);
        return ProviderEvent::stripe(provider, TriggerEventKind::stripeCharge, tx, at(9, 59));
    }
    static std::exception_ptr failure(const char* text) {
        return std::make_exception_ptr(ProviderError::apiError(QString::fromUtf8(text)));
    }

    // Messages of the reactions on screen, oldest first.
    QStringList shownMessages() {
        QStringList list;
        for (const ActiveReaction& r : engine().reactionStore().reactions())
            list.append(r.config.message);
        return list;
    }
    // Messages of every reaction fired since the engine was built, in firing order.
    QStringList firedMessages() const {
        QStringList list;
        for (const ActiveReaction& r : fired)
            list.append(r.config.message);
        return list;
    }
    // Runs one poll to its end (it waits on the keyring when a Google service is chosen).
    void poll() { TestTasks::run(engine().pollOnce()); }

    FakeClock clock{at(10, 0)};
    MemoryPreferencesStore preferences;
    PersistenceManager persistence{preferences, clock};
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    QList<ActiveReaction> fired;

private:
    std::unique_ptr<AppState> m_engine;
};
