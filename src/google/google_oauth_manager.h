#pragma once

#include "google/google_oauth_config.h"
#include "google/google_oauth_tokens.h"

#include <QByteArray>
#include <QCoroTask>
#include <QList>
#include <QPair>
#include <QPointer>
#include <QString>
#include <QUrl>
#include <chrono>

class BrowserOpener;
class Clock;
class GoogleLoopbackOAuthServer;
class HttpClient;
class RandomSource;
struct ServiceEndpoints;

// Google sign-in for installed apps: authorization code with PKCE through the default browser and the
// loopback listener, token refresh and revocation. Failures are GoogleOAuthError, TransportError or
// DecodingError.
class GoogleOAuthManager {
public:
    static constexpr int defaultLoopbackPort = 8765;
    static constexpr std::chrono::milliseconds browserDelay{250};
    static constexpr std::chrono::milliseconds requestTimeout{60000};

    using FormField = QPair<QString, QString>;

    // `loopbackPort` is the port asked for first (a free one is used when it is taken); tests pass a free
    // one.
    GoogleOAuthManager(HttpClient& http, Clock& clock, RandomSource& random,
                       const ServiceEndpoints& endpoints, GoogleOAuthConfig config, BrowserOpener& opener,
                       int loopbackPort = defaultLoopbackPort);
    ~GoogleOAuthManager();

    const GoogleOAuthConfig& config() const { return m_config; }
    bool isConfigured() const { return m_config.isConfigured(); }
    int loopbackPort() const { return m_loopbackPort; }

    // The browser sign-in. A sign-in still waiting for its redirect is cancelled first.
    QCoro::Task<GoogleOAuthTokens> authorize();
    // New access token for `refreshToken`; the record carries `refreshToken` itself.
    QCoro::Task<GoogleOAuthTokens> refresh(QString refreshToken);
    // Asks Google to forget the token; never fails.
    QCoro::Task<void> revoke(QString refreshToken);
    // Ends a sign-in that is waiting for the browser with `cancelled`.
    void cancelPendingSignIn();
    // Where later sign-ins send the authorization address (the command line prints it as well).
    void setBrowserOpener(BrowserOpener& opener) { m_opener = &opener; }
    BrowserOpener& browserOpener() const { return *m_opener; }

    QCoro::Task<GoogleOAuthTokens> exchangeCode(QString code, QString verifier, QString clientId,
                                                QString redirectUri);

    static QString redirectUri(int port);
    static QString scopes();
    QUrl authorizationUrl(const QString& clientId, const QString& redirectUri, const QString& challenge,
                          const QString& state) const;
    // "name=value&..." in the given order. Values keep the URL-query characters literal except "&", "=" and
    // "+", which would split or change the value when the server reads the form.
    static QByteArray formBody(const QList<FormField>& fields);

private:
    HttpClient& m_http;
    Clock& m_clock;
    RandomSource& m_random;
    const ServiceEndpoints& m_endpoints;
    GoogleOAuthConfig m_config;
    BrowserOpener* m_opener;
    int m_loopbackPort;
    QPointer<GoogleLoopbackOAuthServer> m_pendingCapture;
};
