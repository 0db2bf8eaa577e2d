#pragma once

#include "app/screens/connect/connect_session.h"
#include "engine/app_state.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "support/fake_clock.h"
#include "support/fake_engine_parts.h"
#include "support/memory_credential_store.h"
#include "support/memory_preferences_store.h"
#include "support/recording_shell_actions.h"

#include "support/run_task.h"
#include <QApplication>
#include <gtest/gtest.h>
#include <memory>
#include <optional>

// The Connect tab's engine and session on fakes: in-memory stores and a key check that passes, fails with
// `validator.error`, or waits while `validator.gate` is closed.
class ConnectTest : public ::testing::Test, protected FakeEngineParts {
protected:
    AppState& state() {
        if (!m_state)
            m_state = std::make_unique<AppState>(dependencies(persistence, keychain, clock));
        return *m_state;
    }
    ConnectSession& session() {
        if (!m_session)
            m_session = std::make_unique<ConnectSession>(state());
        return *m_session;
    }
    std::optional<QString> stored(const QString& account) { return TestTasks::run(keychain.load(account)); }
    void store(const QString& account, const QString& value) {
        TestTasks::run(keychain.save(value, account));
    }
    bool connected(IntegrationProvider provider) { return state().integration(provider).isConnected; }

    void TearDown() override {
        validator.gate.open();
        m_session.reset();
        QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    FakeClock clock;
    MemoryPreferencesStore preferences;
    PersistenceManager persistence{preferences, clock};
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    RecordingShellActions shell;

private:
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<ConnectSession> m_session;
};
