#pragma once

#include "app/screens/connect/connect_session.h"
#include "engine/app_state.h"
#include "engine/demo_simulator.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "providers/demo/demo_provider.h"
#include "support/fake_clock.h"
#include "support/fake_engine_parts.h"
#include "support/memory_credential_store.h"
#include "support/memory_preferences_store.h"
#include "support/recording_shell_actions.h"

#include <memory>

class QWidget;

// What a gallery page builds its widget from: a clock fixed at 2026-12-07 10:00 UTC, in-memory stores,
// scripted randomness (parts.random), recording sound (parts.sound), fake sources (parts.stripe, ...) and a
// recording shell. state() builds the engine on first use, so a page can first store documents
// (persistence.encodeSettings(...), encodeGoals, encodeIntegrations). Every page gets a fresh fixture.
struct GalleryFixture : FakeEngineParts {
    AppState& state() {
        if (!m_state)
            m_state = std::make_unique<AppState>(dependencies(persistence, keychain, clock));
        return *m_state;
    }

    // The demo buttons' simulator, on a demo feed of its own (the engine polls the `demo` fake).
    DemoSimulator& demoSimulator() {
        if (!m_simulator)
            m_simulator = std::make_unique<DemoSimulator>(state(), m_demoFeed);
        return *m_simulator;
    }

    // What the Connect tab runs, beyond a panel's life.
    ConnectSession& connectSession() {
        if (!m_connects)
            m_connects = std::make_unique<ConnectSession>(state());
        return *m_connects;
    }

    // Runs the keyring work and what follows it (connects, sign-in reads, listings) to its end; the gallery
    // calls it before rendering a page, a page calls it before acting on what that work shows.
    void settle();

    FakeClock clock;
    MemoryPreferencesStore preferences;
    PersistenceManager persistence{preferences, clock};
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    RecordingShellActions shell;

    // Set by a page to show that widget with keyboard focus (as after Tab).
    QWidget* focus = nullptr;

private:
    std::unique_ptr<AppState> m_state;
    ScriptedRandomSource m_demoRandom;
    DemoProvider m_demoFeed{clock, m_demoRandom};
    std::unique_ptr<DemoSimulator> m_simulator;
    std::unique_ptr<ConnectSession> m_connects;
};
