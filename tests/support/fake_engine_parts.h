#pragma once

#include "engine/app_state_dependencies.h"
#include "support/fake_credential_validator.h"
#include "support/fake_google_token_revoker.h"
#include "support/fake_metric_provider.h"
#include "support/recording_sound_player.h"
#include "support/scripted_random_source.h"

// What the engine uses besides its stores and clock, all faked: the five sources, randomness, sound, the key
// check and the Google revoker. Fixtures derive from it so that tests reach the fakes by name.
struct FakeEngineParts {
    AppStateDependencies dependencies(PersistenceManager& persistence, KeychainStore& keychain,
                                      Clock& clock) {
        return {persistence, keychain, demo,   stripe, ga,        datafast,
                gsc,         clock,    random, sound,  validator, revoker};
    }

    FakeMetricProvider demo{IntegrationProvider::demo};
    FakeMetricProvider stripe{IntegrationProvider::stripe};
    FakeMetricProvider ga{IntegrationProvider::googleAnalytics};
    FakeMetricProvider datafast{IntegrationProvider::datafast};
    FakeMetricProvider gsc{IntegrationProvider::googleSearchConsole};
    ScriptedRandomSource random;
    RecordingSoundPlayer sound;
    FakeCredentialValidator validator;
    FakeGoogleTokenRevoker revoker;
};
