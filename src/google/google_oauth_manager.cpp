#include "google/google_oauth_manager.h"

#include "google/browser_opener.h"
#include "google/clock_alarm.h"
#include "google/google_loopback_oauth_server.h"
#include "google/google_oauth_error.h"
#include "google/pkce.h"
#include "model/clock.h"
#include "net/http_client.h"
#include "net/service_endpoints.h"
#include "net/url_building.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QJsonParseError>
#include <QStringDecoder>
#include <algorithm>
#include <memory>

namespace {

bool isHttpStatus(int status) {
    return status >= 100 && status <= 599;
}

std::optional<QString> strictUtf8(const QByteArray& bytes) {
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = decoder.decode(bytes);
    if (decoder.hasError())
        return std::nullopt;
    return text;
}

HttpRequest formPost(const QUrl& url, const QByteArray& body) {
    HttpRequest request;
    request.method = QByteArrayLiteral("POST");
    request.url = url;
    request.timeout = GoogleOAuthManager::requestTimeout;
    request.setHeader(QByteArrayLiteral("Content-Type"),
                      QByteArrayLiteral("application/x-www-form-urlencoded"));
    request.body = body;
    return request;
}

struct TokenAnswer {
    QString accessToken;
    QDateTime expiresAt;
    std::optional<QString> refreshToken;
};

// Sends a token-endpoint request and reads the answer; the texts differ between exchange and refresh.
QCoro::Task<TokenAnswer> requestTokens(HttpClient& http, Clock& clock, HttpRequest request,
                                       QString failedText, QString invalidText) {
    const HttpResponse response = co_await http.send(std::move(request));
    if (!isHttpStatus(response.status) || response.status >= 400)
        throw GoogleOAuthError::tokenExchangeFailed(strictUtf8(response.body).value_or(failedText));
    QJsonParseError parseError;
    const QJsonDocument document = QJsonDocument::fromJson(response.body, &parseError);
    if (parseError.error != QJsonParseError::NoError)
        throw ZingError(parseError.errorString());
    const QJsonObject object = document.object();
    const QJsonValue access = object.value(QStringLiteral("access_token"));
    const QJsonValue lifetime = object.value(QStringLiteral("expires_in"));
    if (!document.isObject() || !access.isString() || !lifetime.isDouble())
        throw GoogleOAuthError::tokenExchangeFailed(invalidText);
    // A lifetime beyond any real one would overflow the time arithmetic.
    const double seconds = std::clamp(lifetime.toDouble(), -1.0e9, 1.0e9);
    TokenAnswer answer{access.toString(), clock.now().addMSecs(qint64(seconds * 1000.0)), std::nullopt};
    const QJsonValue refresh = object.value(QStringLiteral("refresh_token"));
    if (refresh.isString() && !refresh.toString().isEmpty())
        answer.refreshToken = refresh.toString();
    co_return answer;
}

} // namespace

GoogleOAuthManager::GoogleOAuthManager(HttpClient& http, Clock& clock, RandomSource& random,
                                       const ServiceEndpoints& endpoints, GoogleOAuthConfig config,
                                       BrowserOpener& opener, int loopbackPort)
    : m_http(http), m_clock(clock), m_random(random), m_endpoints(endpoints), m_config(std::move(config)),
      m_opener(&opener), m_loopbackPort(loopbackPort) {}

GoogleOAuthManager::~GoogleOAuthManager() {
    cancelPendingSignIn();
}

QString GoogleOAuthManager::redirectUri(int port) {
    return QStringLiteral("http://127.0.0.1:") + QString::number(port) + QStringLiteral("/oauth/callback");
}

QString GoogleOAuthManager::scopes() {
    return QStringLiteral("https://www.googleapis.com/auth/analytics.readonly "
                          "https://www.googleapis.com/auth/webmasters.readonly");
}

QUrl GoogleOAuthManager::authorizationUrl(const QString& clientId, const QString& redirect,
                                          const QString& challenge, const QString& state) const {
    return UrlBuilding::buildUrl(m_endpoints.googleAccountsBase, QStringLiteral("/o/oauth2/v2/auth"),
                                 {{QStringLiteral("client_id"), clientId},
                                  {QStringLiteral("redirect_uri"), redirect},
                                  {QStringLiteral("response_type"), QStringLiteral("code")},
                                  {QStringLiteral("scope"), scopes()},
                                  {QStringLiteral("access_type"), QStringLiteral("offline")},
                                  {QStringLiteral("prompt"), QStringLiteral("consent")},
                                  {QStringLiteral("code_challenge"), challenge},
                                  {QStringLiteral("code_challenge_method"), PKCE::method()},
                                  {QStringLiteral("state"), state}});
}

QByteArray GoogleOAuthManager::formBody(const QList<FormField>& fields) {
    // The URL-query set minus the three characters that carry meaning inside a form body.
    static const QByteArray keptLiteral = QByteArrayLiteral("-._~!$'()*,;:@/?");
    QByteArray body;
    for (const auto& [name, value] : fields) {
        if (!body.isEmpty())
            body.append('&');
        body.append(name.toUtf8());
        body.append('=');
        body.append(value.toUtf8().toPercentEncoding(keptLiteral));
    }
    return body;
}

void GoogleOAuthManager::cancelPendingSignIn() {
    if (m_pendingCapture)
        m_pendingCapture->cancel();
}

QCoro::Task<GoogleOAuthTokens> GoogleOAuthManager::authorize() {
    if (!m_config.clientId)
        throw GoogleOAuthError::notConfigured();
    const QString clientId = *m_config.clientId;
    const QString verifier = PKCE::generateVerifier(m_random);
    // The same shape as a verifier: 32 random bytes, URL-safe Base64. The listener accepts only the redirect
    // that carries it back.
    const QString state = PKCE::generateVerifier(m_random);

    // Only one capture can hold the port; the newer sign-in wins.
    cancelPendingSignIn();
    const std::shared_ptr<GoogleLoopbackOAuthServer> capture(
        new GoogleLoopbackOAuthServer(m_clock), [](GoogleLoopbackOAuthServer* s) { s->deleteLater(); });
    m_pendingCapture = capture.get();
    capture->start(m_loopbackPort, state);
    // The port actually listened on: the usual one may be taken.
    const QString redirect = redirectUri(capture->port());
    const QUrl url = authorizationUrl(clientId, redirect, PKCE::challenge(verifier), state);
    if (!url.isValid()) {
        capture->cancel();
        throw GoogleOAuthError::notConfigured();
    }

    co_await ClockAlarm::sleep(m_clock, browserDelay);
    // A listener that could not start, or a capture cancelled meanwhile, ends the sign-in without a browser.
    if (!capture->isFinished() && !m_opener->openUrl(url)) {
        capture->cancel();
        throw GoogleOAuthError::browserOpenFailed();
    }
    const QString code = co_await capture->result();
    co_return co_await exchangeCode(code, verifier, clientId, redirect);
}

QCoro::Task<GoogleOAuthTokens> GoogleOAuthManager::exchangeCode(QString code, QString verifier,
                                                                QString clientId, QString redirect) {
    QList<FormField> fields{{QStringLiteral("client_id"), clientId},
                            {QStringLiteral("code"), code},
                            {QStringLiteral("code_verifier"), verifier},
                            {QStringLiteral("redirect_uri"), redirect},
                            {QStringLiteral("grant_type"), QStringLiteral("authorization_code")}};
    if (m_config.clientSecret)
        fields.append({QStringLiteral("client_secret"), *m_config.clientSecret});
    const HttpRequest request = formPost(
        UrlBuilding::buildUrl(m_endpoints.googleOAuth2Base, QStringLiteral("/token")), formBody(fields));
    const TokenAnswer answer =
        co_await requestTokens(m_http, m_clock, request, QStringLiteral("Token exchange failed"),
                               QStringLiteral("Invalid token response"));
    if (!answer.refreshToken)
        throw GoogleOAuthError::missingRefreshToken();
    co_return GoogleOAuthTokens{answer.accessToken, answer.refreshToken, answer.expiresAt};
}

QCoro::Task<GoogleOAuthTokens> GoogleOAuthManager::refresh(QString refreshToken) {
    if (!m_config.clientId)
        throw GoogleOAuthError::notConfigured();
    QList<FormField> fields{{QStringLiteral("client_id"), *m_config.clientId},
                            {QStringLiteral("grant_type"), QStringLiteral("refresh_token")},
                            {QStringLiteral("refresh_token"), refreshToken}};
    if (m_config.clientSecret)
        fields.append({QStringLiteral("client_secret"), *m_config.clientSecret});
    const HttpRequest request = formPost(
        UrlBuilding::buildUrl(m_endpoints.googleOAuth2Base, QStringLiteral("/token")), formBody(fields));
    const TokenAnswer answer =
        co_await requestTokens(m_http, m_clock, request, QStringLiteral("Token refresh failed"),
                               QStringLiteral("Invalid refresh response"));
    // Google may hand out a new refresh token here; the one in use stays the stored one.
    co_return GoogleOAuthTokens{answer.accessToken, refreshToken, answer.expiresAt};
}

QCoro::Task<void> GoogleOAuthManager::revoke(QString refreshToken) {
    const HttpRequest request =
        formPost(UrlBuilding::buildUrl(m_endpoints.googleOAuth2Base, QStringLiteral("/revoke")),
                 formBody({{QStringLiteral("token"), refreshToken}}));
    try {
        co_await m_http.send(request);
    } catch (...) {
        // Disconnecting goes ahead whatever Google answered.
    }
}
