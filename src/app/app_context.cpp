#include "app/app_context.h"

#include "app/scaled_clock.h"
#include "engine/app_state.h"
#include "engine/demo_simulator.h"
#include "engine/google_oauth_token_revoker.h"
#include "engine/provider_credential_validator.h"
#include "engine/silent_sound_player.h"
#include "google/google_oauth_manager.h"
#include "model/system_clock.h"
#include "providers/analytics/google_analytics_provider.h"
#include "providers/datafast/datafast_provider.h"
#include "providers/demo/demo_provider.h"
#include "providers/google/google_integration_service.h"
#include "providers/searchconsole/google_search_console_provider.h"
#include "providers/stripe/stripe_provider.h"
#include "reactions/qt_audio_back_end.h"
#include "reactions/sound_engine.h"
#include "reactions/sound_locations.h"

namespace {

std::unique_ptr<Clock> makeClock(const std::optional<double>& timeScale) {
    if (timeScale)
        return std::make_unique<ScaledClock>(*timeScale);
    return std::make_unique<SystemClock>();
}

} // namespace

AppContext::AppContext(const Options& options)
    : m_clock(makeClock(options.timeScale)), m_preferences(FilePreferencesStore::defaultFolder()),
      m_readOnlyPreferences(m_preferences),
      m_persistence(options.readOnly ? static_cast<PreferencesStore&>(m_readOnlyPreferences) : m_preferences,
                    *m_clock),
      m_readOnlyCredentials(m_credentials),
      m_keychain(options.readOnly ? static_cast<CredentialStore&>(m_readOnlyCredentials) : m_credentials),
      m_endpoints(ServiceEndpoints::fromEnvironment()) {
    m_demo = std::make_unique<DemoProvider>(*m_clock, m_random);
    m_stripe = std::make_unique<StripeProvider>(m_http, m_keychain, *m_clock, m_endpoints);
    m_googleOAuth = std::make_unique<GoogleOAuthManager>(m_http, *m_clock, m_random, m_endpoints,
                                                         GoogleOAuthConfig::fromEnvironment(), m_browser);
    m_google =
        std::make_unique<GoogleIntegrationService>(m_http, m_keychain, *m_clock, m_endpoints, *m_googleOAuth);
    m_analytics =
        std::make_unique<GoogleAnalyticsProvider>(m_http, m_keychain, *m_clock, m_endpoints, *m_google);
    m_datafast = std::make_unique<DatafastProvider>(m_http, m_keychain, *m_clock, m_endpoints);
    m_searchConsole =
        std::make_unique<GoogleSearchConsoleProvider>(m_http, m_keychain, *m_clock, m_endpoints, *m_google);

    SoundPlayer* player = nullptr;
    // No audio output (a server, a session without a sound server): stay silent rather than have every
    // reaction print player warnings.
    m_audioUnavailable = !options.silent && !QtAudioBackEnd::hasAudioOutput();
    if (options.silent || m_audioUnavailable) {
        m_silentPlayer = std::make_unique<SilentSoundPlayer>();
        player = m_silentPlayer.get();
    } else {
        m_audio = std::make_unique<QtAudioBackEnd>();
        m_soundEngine =
            std::make_unique<SoundEngine>(*m_audio, *m_clock, m_random, SoundLocations::standard());
        player = m_soundEngine.get();
    }
    m_validator = std::make_unique<ProviderCredentialValidator>(m_http, m_keychain, m_endpoints);
    m_revoker = std::make_unique<GoogleOAuthTokenRevoker>(m_keychain, *m_googleOAuth);

    m_state = std::make_unique<AppState>(
        AppStateDependencies{m_persistence, m_keychain, *m_demo, *m_stripe, *m_analytics, *m_datafast,
                             *m_searchConsole, *m_clock, m_random, *player, *m_validator, *m_revoker});
    m_simulator = std::make_unique<DemoSimulator>(*m_state, *m_demo);
    followMutedSetting();
}

AppContext::~AppContext() {
    shutdown();
    // The engine first: it refers to everything else.
    m_simulator.reset();
    m_state.reset();
}

void AppContext::shutdown() {
    m_state->stopPolling();
    m_googleOAuth->cancelPendingSignIn();
    m_http.cancelAll();
}

void AppContext::followMutedSetting() {
    if (!m_soundEngine)
        return;
    m_soundEngine->setMuted(m_state->settings().soundsMuted);
    QObject::connect(m_state.get(), &AppState::settingsChanged, m_state.get(),
                     [this] { m_soundEngine->setMuted(m_state->settings().soundsMuted); });
}

void AppContext::preloadSounds() {
    if (m_soundEngine)
        m_soundEngine->preload();
}
