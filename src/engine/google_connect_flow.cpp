#include "engine/google_connect_flow.h"

#include "engine/app_state.h"
#include "google/google_oauth_manager.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "providers/google/google_integration_service.h"

GoogleConnectFlow::GoogleConnectFlow(AppState& state, GoogleOAuthManager& oauth,
                                     GoogleIntegrationService& google)
    : m_state(state), m_oauth(oauth), m_google(google) {}

bool GoogleConnectFlow::isConfigured() const {
    return m_oauth.isConfigured();
}

QCoro::Task<bool> GoogleConnectFlow::isSignedIn() {
    return m_google.isSignedIn();
}

QCoro::Task<void> GoogleConnectFlow::signIn() {
    GoogleIntegrationService& google = m_google;
    AppState& state = m_state;
    const GoogleOAuthTokens tokens = co_await m_oauth.authorize();
    co_await google.persist(tokens);
    co_await state.refreshGoogleSignIn();
}

QCoro::Task<GoogleConnectFlow::Resources> GoogleConnectFlow::loadResources() {
    // Tasks start at once, so both requests are under way before either is awaited.
    QCoro::Task<QList<Ga4PropertyOption>> properties = m_google.listGa4Properties();
    QCoro::Task<QList<GscSiteOption>> sites = m_google.listGscSites();
    Resources resources;
    resources.properties = co_await std::move(properties);
    resources.sites = co_await std::move(sites);
    co_return resources;
}

std::optional<Ga4PropertyOption> GoogleConnectFlow::findProperty(const QList<Ga4PropertyOption>& properties,
                                                                 const QString& idOrNumber) {
    const QString prefix = QStringLiteral("properties/");
    const QString wanted = idOrNumber.startsWith(prefix) ? idOrNumber : prefix + idOrNumber;
    for (const Ga4PropertyOption& option : properties) {
        if (option.id == wanted)
            return option;
    }
    return std::nullopt;
}

QCoro::Task<bool> GoogleConnectFlow::chooseGa4Property(QList<Ga4PropertyOption> properties, QString id) {
    const auto it = std::find_if(properties.begin(), properties.end(),
                                 [&id](const Ga4PropertyOption& option) { return option.id == id; });
    if (it == properties.end())
        co_return false;
    QString stripped = it->id;
    stripped.remove(QStringLiteral("properties/"));
    AppSettings settings = m_state.settings();
    settings.googleIntegration.gaPropertyId = stripped;
    settings.googleIntegration.gaPropertyName = it->name;
    AppState& state = m_state;
    co_await state.keychain().save(stripped, CredentialAccounts::ga4PropertyId());
    state.setSettings(settings);
    // Marks the integration connected with the property's name as label, and saves.
    co_await state.syncGoogleIntegrationState();
    co_return true;
}

QCoro::Task<bool> GoogleConnectFlow::chooseGscSite(QList<GscSiteOption> sites, QString siteUrl) {
    const auto it = std::find_if(sites.begin(), sites.end(), [&siteUrl](const GscSiteOption& option) {
        return option.siteUrl == siteUrl;
    });
    if (it == sites.end())
        co_return false;
    AppState& state = m_state;
    AppSettings settings = state.settings();
    settings.googleIntegration.gscSiteUrl = it->siteUrl;
    co_await state.keychain().save(it->siteUrl, CredentialAccounts::gscSiteUrl());
    state.setSettings(settings);
    co_await state.syncGoogleIntegrationState();
    co_return true;
}

bool GoogleConnectFlow::meansSessionExpired(const QString& description) {
    return description.toLower().contains(QLatin1String("invalid_grant")) ||
           description.contains(QLatin1String("Token refresh"));
}
