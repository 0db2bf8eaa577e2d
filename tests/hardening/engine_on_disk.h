#pragma once

#include "engine/app_state.h"
#include "model/file_preferences_store.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "support/fake_clock.h"
#include "support/fake_engine_parts.h"
#include "support/memory_credential_store.h"

#include <QString>
#include <memory>

// The engine over documents in a real folder, its sources faked (the demo source answers every poll).
struct EngineOnDisk : FakeEngineParts {
    explicit EngineOnDisk(const QString& folder) : store(folder) {
        demo.setStandingMetrics({{MetricKind::revenueToday, 42.0}});
    }

    AppState& start() {
        engine = std::make_unique<AppState>(dependencies(persistence, keychain, clock));
        return *engine;
    }

    FilePreferencesStore store;
    FakeClock clock;
    PersistenceManager persistence{store, clock};
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    std::unique_ptr<AppState> engine;
};
