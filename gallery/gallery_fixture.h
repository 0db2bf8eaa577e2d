#pragma once

#include "engine/app_state.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
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
};
