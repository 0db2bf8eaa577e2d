#pragma once

#include "engine/app_state.h"
#include "model/file_preferences_store.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "support/fake_clock.h"
#include "support/fake_credential_validator.h"
#include "support/fake_google_token_revoker.h"
#include "support/fake_metric_provider.h"
#include "support/memory_credential_store.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random_source.h"

#include <QString>
#include <memory>

// The engine over documents in a real folder, its sources faked (the demo source answers every poll).
struct EngineOnDisk {
    explicit EngineOnDisk(const QString& folder) : store(folder) {
        demo.setStandingMetrics({{MetricKind::revenueToday, 42.0}});
    }

    AppState& start() {
        engine =
            std::make_unique<AppState>(AppStateDependencies{persistence, keychain, demo, stripe, ga, datafast,
                                                            gsc, clock, random, sound, validator, revoker});
        return *engine;
    }

    FilePreferencesStore store;
    FakeClock clock;
    PersistenceManager persistence{store, clock};
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    FakeMetricProvider demo{IntegrationProvider::demo};
    FakeMetricProvider stripe{IntegrationProvider::stripe};
    FakeMetricProvider ga{IntegrationProvider::googleAnalytics};
    FakeMetricProvider datafast{IntegrationProvider::datafast};
    FakeMetricProvider gsc{IntegrationProvider::googleSearchConsole};
    ScriptedRandomSource random;
    RecordingSoundPlayer sound;
    FakeCredentialValidator validator;
    FakeGoogleTokenRevoker revoker;
    std::unique_ptr<AppState> engine;
};
