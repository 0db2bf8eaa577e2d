#pragma once

#include "google/google_oauth_tokens.h"
#include "providers/google/ga4_property_option.h"
#include "providers/google/gsc_site_option.h"

#include <QCoroTask>
#include <QList>
#include <QString>

class Clock;
class GoogleOAuthManager;
class HttpClient;
class KeychainStore;
struct ServiceEndpoints;

// The signed-in Google account as the rest of the program sees it: the stored tokens, a fresh access token on
// demand, and the properties and sites to choose from. Keeps nothing between calls.
class GoogleIntegrationService {
public:
    // An access token is used only while it stays valid for more than this.
    static constexpr qint64 renewalMarginSeconds = 120;
    // Bounds the property listing against a service that keeps handing out page tokens.
    static constexpr int maxPropertyPages = 100;

    GoogleIntegrationService(HttpClient& http, KeychainStore& keychain, Clock& clock,
                             const ServiceEndpoints& endpoints, GoogleOAuthManager& oauth);

    // Writes the access token, the refresh token (when the record has one) and the expiry; deletes nothing.
    QCoro::Task<void> persist(GoogleOAuthTokens tokens);
    // A non-empty refresh token is stored.
    QCoro::Task<bool> isSignedIn();

    // The stored access token while it has more than the margin left, otherwise a refreshed one (stored too).
    // Not signed in: ProviderError::notConfigured. A failed refresh leaves the stored tokens as they were.
    QCoro::Task<QString> ensureFreshAccessToken();

    // Every GA4 property over all pages of the account summaries, sorted by name. Nothing is returned
    // partially.
    QCoro::Task<QList<Ga4PropertyOption>> listGa4Properties();
    // Every Search Console site, sorted by address.
    QCoro::Task<QList<GscSiteOption>> listGscSites();

    static QString adminApiDisabledText();

private:
    HttpClient& m_http;
    KeychainStore& m_keychain;
    Clock& m_clock;
    const ServiceEndpoints& m_endpoints;
    GoogleOAuthManager& m_oauth;
};
