#include "app/screens/connect/connect_session.h"

#include "app/screens/connect/google_panel_state.h"
#include "engine/app_state.h"
#include "engine/google_connect_flow.h"
#include "google/google_oauth_error.h"
#include "model/zing_error.h"

#include <QPointer>
#include <algorithm>
#include <exception>

ConnectSession::ConnectSession(AppState& state, GoogleConnectFlow* google, QObject* parent)
    : QObject(parent), m_state(state), m_connector(state, state.keychain()), m_flow(google) {
    QObject::connect(&state, &AppState::googleSignInChanged, this, &ConnectSession::googleChanged);
}

ConnectSession::~ConnectSession() = default;

const ConnectSession::KeyConnect& ConnectSession::keyConnect(IntegrationProvider provider) const {
    static const KeyConnect idle;
    const auto it = m_keyConnects.constFind(provider);
    return it == m_keyConnects.constEnd() ? idle : it.value();
}

void ConnectSession::setKeyConnect(IntegrationProvider provider, const KeyConnect& value) {
    m_keyConnects.insert(provider, value);
    Q_EMIT keyConnectChanged(provider);
}

bool ConnectSession::startKeyConnect(IntegrationProvider provider) {
    if (keyConnect(provider).busy)
        return false;
    setKeyConnect(provider, KeyConnect{true, std::nullopt});
    return true;
}

bool ConnectSession::connectStripe(const QString& secretKey) {
    if (!startKeyConnect(IntegrationProvider::stripe))
        return false;
    // Detached: the task ends itself; the session outlives the panel that asked.
    finishKeyConnect(IntegrationProvider::stripe, m_connector.connectStripe(secretKey));
    return true;
}

bool ConnectSession::connectDatafast(const QString& apiKey, const QString& websiteId) {
    if (!startKeyConnect(IntegrationProvider::datafast))
        return false;
    finishKeyConnect(IntegrationProvider::datafast, m_connector.connectDatafast(apiKey, websiteId));
    return true;
}

QCoro::Task<void> ConnectSession::finishKeyConnect(IntegrationProvider provider, QCoro::Task<void> work) {
    QPointer<ConnectSession> self(this);
    std::optional<QString> failure;
    try {
        co_await std::move(work);
    } catch (const std::exception& error) {
        failure = shortErrorText(describeError(error));
    }
    if (!self)
        co_return;
    setKeyConnect(provider, KeyConnect{false, failure});
    Q_EMIT keyConnectFinished(provider, !failure.has_value());
}

void ConnectSession::disconnect(IntegrationProvider provider) {
    if (keyConnect(provider).busy)
        return;
    // Detached: the records change at once, the keyring items go on its worker.
    m_state.disconnectProvider(provider);
    setKeyConnect(provider, KeyConnect{});
}

void ConnectSession::clearKeyError(IntegrationProvider provider) {
    if (keyConnect(provider).errorMessage)
        setKeyConnect(provider, KeyConnect{keyConnect(provider).busy, std::nullopt});
}

bool ConnectSession::googleConfigured() const {
    return m_flow && m_flow->isConfigured();
}

bool ConnectSession::googleSignedIn() const {
    // What the engine last read from the keyring; this thread never waits on it.
    return m_flow && m_state.hasGoogleSignIn();
}

void ConnectSession::checkGoogleSignIn() {
    if (m_flow)
        m_state.refreshGoogleSignIn();
}

bool ConnectSession::authorizeGoogle() {
    if (!googleConfigured() || m_google.authorizing)
        return false;
    m_google.authorizing = true;
    m_google.errorMessage.reset();
    m_google.sessionExpired = false;
    Q_EMIT googleChanged();
    runAuthorize();
    return true;
}

QCoro::Task<void> ConnectSession::runAuthorize() {
    QPointer<ConnectSession> self(this);
    std::optional<GooglePanelState::Failure> failure;
    try {
        co_await m_flow->signIn();
    } catch (const GoogleOAuthError& error) {
        failure = GooglePanelState::signInFailure(shortErrorText(error.description()),
                                                  error.errorCase() == GoogleOAuthError::Case::cancelled);
    } catch (const std::exception& error) {
        failure = GooglePanelState::signInFailure(shortErrorText(describeError(error)), false);
    }
    if (!self)
        co_return;
    if (!failure)
        co_await runLoad();
    if (!self)
        co_return;
    m_google.authorizing = false;
    if (failure)
        m_google.errorMessage = failure->message;
    Q_EMIT googleChanged();
}

bool ConnectSession::loadGoogleResources() {
    if (m_google.loading || m_google.authorizing || !googleSignedIn())
        return false;
    runLoad();
    return true;
}

QCoro::Task<void> ConnectSession::runLoad() {
    QPointer<ConnectSession> self(this);
    m_google.loading = true;
    m_google.errorMessage.reset();
    m_google.sessionExpired = false;
    Q_EMIT googleChanged();
    std::optional<GooglePanelState::Failure> failure;
    GoogleConnectFlow::Resources resources;
    try {
        resources = co_await m_flow->loadResources();
    } catch (const std::exception& error) {
        failure = GooglePanelState::listingFailure(shortErrorText(describeError(error)));
    }
    if (!self)
        co_return;
    m_google.loading = false;
    if (failure) {
        m_google.errorMessage = failure->message;
        m_google.sessionExpired = failure->sessionExpired;
    } else {
        m_google.properties = resources.properties;
        m_google.sites = resources.sites;
    }
    Q_EMIT googleChanged();
}

bool ConnectSession::chooseGa4Property(const QString& id) {
    const bool listed = std::any_of(m_google.properties.cbegin(), m_google.properties.cend(),
                                    [&id](const Ga4PropertyOption& option) { return option.id == id; });
    if (!m_flow || !listed)
        return false;
    finishChoice(m_flow->chooseGa4Property(m_google.properties, id));
    return true;
}

bool ConnectSession::chooseGscSite(const QString& siteUrl) {
    const bool listed =
        std::any_of(m_google.sites.cbegin(), m_google.sites.cend(),
                    [&siteUrl](const GscSiteOption& option) { return option.siteUrl == siteUrl; });
    if (!m_flow || !listed)
        return false;
    finishChoice(m_flow->chooseGscSite(m_google.sites, siteUrl));
    return true;
}

QCoro::Task<void> ConnectSession::finishChoice(QCoro::Task<bool> work) {
    QPointer<ConnectSession> self(this);
    co_await std::move(work);
    if (self)
        Q_EMIT googleChanged();
}

void ConnectSession::disconnectGoogle() {
    if (m_google.authorizing)
        return;
    runDisconnectGoogle();
}

QCoro::Task<void> ConnectSession::runDisconnectGoogle() {
    QPointer<ConnectSession> self(this);
    co_await m_state.disconnectGoogle();
    if (!self)
        co_return;
    m_google = GoogleConnect{};
    Q_EMIT googleChanged();
}
