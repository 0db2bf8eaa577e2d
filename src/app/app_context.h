#pragma once

#include "google/xdg_browser_opener.h"
#include "model/file_preferences_store.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "model/read_only_credential_store.h"
#include "model/read_only_preferences_store.h"
#include "model/secret_service_credential_store.h"
#include "model/system_random_source.h"
#include "net/qt_http_client.h"
#include "net/service_endpoints.h"

#include <memory>
#include <optional>

class AppState;
class Clock;
class CredentialValidator;
class DemoProvider;
class DemoSimulator;
class GoogleIntegrationService;
class GoogleOAuthManager;
class GoogleTokenRevoker;
class MetricProvider;
class QtAudioBackEnd;
class SoundEngine;
class SoundPlayer;

// The long-lived objects of one process, created once in dependency order and shared by every mode (headless,
// desktop, the one-shot commands). Needs the application object to exist already.
class AppContext {
public:
    struct Options {
        // No audio stack at all: nothing is opened or played.
        bool silent = false;
        // Test hook: time runs this many times faster (see ScaledClock).
        std::optional<double> timeScale;
        // Reports only: no document and no keyring item is ever written.
        bool readOnly = false;
    };

    explicit AppContext(const Options& options);
    ~AppContext();
    AppContext(const AppContext&) = delete;
    AppContext& operator=(const AppContext&) = delete;

    AppState& state() { return *m_state; }
    Clock& clock() { return *m_clock; }
    RandomSource& random() { return m_random; }
    KeychainStore& keychain() { return m_keychain; }
    DemoProvider& demoProvider() { return *m_demo; }
    DemoSimulator& demoSimulator() { return *m_simulator; }
    GoogleOAuthManager& googleOAuth() { return *m_googleOAuth; }
    GoogleIntegrationService& google() { return *m_google; }
    // Absent when silent.
    SoundEngine* soundEngine() { return m_soundEngine.get(); }
    // Sounds were wanted but no audio output was found, so reactions play without sound.
    bool audioUnavailable() const { return m_audioUnavailable; }

    // Opens the sound clips; a no-op when silent.
    void preloadSounds();
    // The orderly end of the process (Ctrl-C, SIGTERM, Quit): polling stops, a waiting sign-in is cancelled
    // and every request in flight ends now, so a poll that waited on the network unwinds before anything it
    // uses is destroyed. The documents are left as last saved. Also run by the destructor.
    void shutdown();

private:
    void followMutedSetting();

    std::unique_ptr<Clock> m_clock;
    SystemRandomSource m_random;
    FilePreferencesStore m_preferences;
    ReadOnlyPreferencesStore m_readOnlyPreferences;
    PersistenceManager m_persistence;
    SecretServiceCredentialStore m_credentials;
    ReadOnlyCredentialStore m_readOnlyCredentials;
    KeychainStore m_keychain;
    QtHttpClient m_http;
    ServiceEndpoints m_endpoints;
    XdgBrowserOpener m_browser;
    std::unique_ptr<GoogleOAuthManager> m_googleOAuth;
    std::unique_ptr<GoogleIntegrationService> m_google;

    std::unique_ptr<DemoProvider> m_demo;
    std::unique_ptr<MetricProvider> m_stripe;
    std::unique_ptr<MetricProvider> m_analytics;
    std::unique_ptr<MetricProvider> m_datafast;
    std::unique_ptr<MetricProvider> m_searchConsole;

    std::unique_ptr<QtAudioBackEnd> m_audio;
    std::unique_ptr<SoundEngine> m_soundEngine;
    std::unique_ptr<SoundPlayer> m_silentPlayer;
    std::unique_ptr<CredentialValidator> m_validator;
    std::unique_ptr<GoogleTokenRevoker> m_revoker;

    std::unique_ptr<AppState> m_state;
    std::unique_ptr<DemoSimulator> m_simulator;
    bool m_audioUnavailable = false;
};
