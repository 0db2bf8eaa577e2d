#include "google/browser_opener.h"
#include "google/google_oauth_error.h"
#include "google/google_oauth_manager.h"
#include "google/loopback_test_support.h"
#include "google/pkce.h"
#include "net/qt_http_client.h"
#include "net/service_endpoints.h"
#include "net/transport_error.h"
#include "support/fake_clock.h"
#include "support/local_http_server.h"
#include "support/qt_printers.h"
#include "support/run_task.h"
#include "support/scripted_http_client.h"
#include "support/scripted_random_source.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QUrlQuery>
#include <functional>
#include <gtest/gtest.h>

using namespace LoopbackTestSupport;
using Case = GoogleOAuthError::Case;

namespace {

// How a server reads an application/x-www-form-urlencoded body.
QList<QPair<QString, QString>> formItems(const QByteArray& body) {
    QList<QPair<QString, QString>> items;
    for (const QByteArray& part : body.split('&')) {
        const qsizetype equals = part.indexOf('=');
        const auto decode = [](QByteArray bytes) {
            return QUrl::fromPercentEncoding(bytes.replace('+', ' '));
        };
        items.append({decode(part.left(equals)), decode(part.mid(equals + 1))});
    }
    return items;
}

QString formValue(const QByteArray& body, const char* name) {
    for (const auto& [key, value] : formItems(body)) {
        if (key == QLatin1String(name))
            return value;
    }
    return QStringLiteral("<absent>");
}

class FakeOpener final : public BrowserOpener {
public:
    bool openUrl(const QUrl& url) override {
        opened.append(url);
        return onOpen ? onOpen(url) : true;
    }
    QList<QUrl> opened;
    std::function<bool(const QUrl&)> onOpen;
};

class GoogleOAuthManagerTest : public ::testing::Test {
protected:
    GoogleOAuthManager& manager(std::optional<QString> clientId = QStringLiteral("client.apps"),
                                std::optional<QString> secret = std::nullopt) {
        m_manager = std::make_unique<GoogleOAuthManager>(http, clock, random, endpoints,
                                                         GoogleOAuthConfig{clientId, secret}, opener, port);
        return *m_manager;
    }
    // Lets the 250 ms pause before the browser pass once the sign-in waits for it.
    void passBrowserDelay() {
        QTimer::singleShot(0, [this] { clock.advance(GoogleOAuthManager::browserDelay); });
    }
    // The browser follows the authorization address and Google redirects it with `query` and the sign-in's
    // state to the redirect address it was given.
    void browserRedirectsWith(const QByteArray& query) {
        opener.onOpen = [this, query](const QUrl& url) {
            const Redirect redirect = redirectFor(url, query);
            QTimer::singleShot(0,
                               [this, redirect] { browserSaw = exchange(redirect.port, redirect.request); });
            return true;
        };
    }
    static QByteArray tokenJson(const char* extra = "") {
        return QByteArrayLiteral("{\"access_token\":\"at-1\",\"expires_in\":3599,\"token_type\":\"Bearer\"") +
               extra + "}";
    }

    FakeClock clock;
    ScriptedHttpClient http;
    ScriptedRandomSource random;
    ServiceEndpoints endpoints;
    FakeOpener opener;
    quint16 port = freePort();
    QByteArray browserSaw;

private:
    std::unique_ptr<GoogleOAuthManager> m_manager;
};

TEST_F(GoogleOAuthManagerTest, AuthorizationUrlCarriesTheItemsInOrder) {
    const QString challenge = PKCE::challenge(QStringLiteral("dBjftJeZ4CVP-mB92K27uhbUJU1p1r_wW1gFWFOEjXk"));
    const QUrl url =
        manager(QStringLiteral("123-abc.apps.googleusercontent.com"))
            .authorizationUrl(QStringLiteral("123-abc.apps.googleusercontent.com"),
                              GoogleOAuthManager::redirectUri(8765), challenge, QStringLiteral("st4te"));
    EXPECT_EQ(url.toString(QUrl::RemoveQuery),
              QStringLiteral("https://accounts.google.com/o/oauth2/v2/auth"));
    const QList<QPair<QString, QString>> items = QUrlQuery(url).queryItems(QUrl::FullyDecoded);
    const QList<QPair<QString, QString>> expected{
        {QStringLiteral("client_id"), QStringLiteral("123-abc.apps.googleusercontent.com")},
        {QStringLiteral("redirect_uri"), QStringLiteral("http://127.0.0.1:8765/oauth/callback")},
        {QStringLiteral("response_type"), QStringLiteral("code")},
        {QStringLiteral("scope"), QStringLiteral("https://www.googleapis.com/auth/analytics.readonly "
                                                 "https://www.googleapis.com/auth/webmasters.readonly")},
        {QStringLiteral("access_type"), QStringLiteral("offline")},
        {QStringLiteral("prompt"), QStringLiteral("consent")},
        {QStringLiteral("code_challenge"), QStringLiteral("E9Melhoa2OwvFrEMTJguCHaoeK1t8URWbuGJSstw-cM")},
        {QStringLiteral("code_challenge_method"), QStringLiteral("S256")},
        {QStringLiteral("state"), QStringLiteral("st4te")}};
    EXPECT_EQ(items, expected);
    // The space between the scopes must not travel as "+", which Google would read literally.
    EXPECT_TRUE(url.toEncoded().contains("analytics.readonly%20https")) << url.toEncoded().toStdString();
}

struct FormCase {
    const char* name;
    QList<GoogleOAuthManager::FormField> fields;
    QByteArray body;
};

void PrintTo(const FormCase& c, std::ostream* os) {
    *os << c.name;
}

class FormBodyTest : public ::testing::TestWithParam<FormCase> {};

TEST_P(FormBodyTest, EncodesValuesAndServersReadThemBack) {
    const QByteArray body = GoogleOAuthManager::formBody(GetParam().fields);
    EXPECT_EQ(body, GetParam().body);
    QList<QPair<QString, QString>> expected;
    for (const auto& field : GetParam().fields)
        expected.append({field.first, field.second});
    EXPECT_EQ(formItems(body), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, FormBodyTest,
    ::testing::Values(FormCase{"plain",
                               {{QStringLiteral("grant_type"), QStringLiteral("refresh_token")}},
                               "grant_type=refresh_token"},
                      FormCase{"redirect_uri_keeps_its_delimiters",
                               {{QStringLiteral("redirect_uri"),
                                 QStringLiteral("http://127.0.0.1:8765/oauth/callback")}},
                               "redirect_uri=http://127.0.0.1:8765/oauth/callback"},
                      FormCase{"query_characters_stay_literal",
                               {{QStringLiteral("v"), QStringLiteral("-._~!$'()*,;:@/?")}},
                               "v=-._~!$'()*,;:@/?"},
                      FormCase{"separators_and_plus_are_encoded",
                               {{QStringLiteral("code"), QStringLiteral("4/a+b&c=d")}},
                               "code=4/a%2Bb%26c%3Dd"},
                      FormCase{"space_percent_and_non_ascii",
                               {{QStringLiteral("v"), QStringLiteral("50% caf\u00e9")}},
                               "v=50%25%20caf%C3%A9"},
                      FormCase{"fields_in_order",
                               {{QStringLiteral("client_id"), QStringLiteral("c")},
                                {QStringLiteral("grant_type"), QStringLiteral("refresh_token")},
                                {QStringLiteral("refresh_token"), QStringLiteral("1//0g")}},
                               "client_id=c&grant_type=refresh_token&refresh_token=1//0g"},
                      FormCase{"empty_value", {{QStringLiteral("token"), QString()}}, "token="}),
    [](const auto& info) { return std::string(info.param.name); });

struct TokenCase {
    const char* name;
    int status;
    QByteArray body;
    // Expected error: its case and text; no case and no text means success, no case with a text a parser
    // error.
    std::optional<Case> errorCase;
    QString description;
};

void PrintTo(const TokenCase& c, std::ostream* os) {
    *os << c.name;
}

class TokenAnswerTest : public ::testing::TestWithParam<TokenCase> {
protected:
    FakeClock clock;
    ScriptedHttpClient http;
    ScriptedRandomSource random;
    ServiceEndpoints endpoints;
    FakeOpener opener;
};

TEST_P(TokenAnswerTest, CodeExchange) {
    const TokenCase& c = GetParam();
    GoogleOAuthManager manager(http, clock, random, endpoints, GoogleOAuthConfig{QStringLiteral("cid"), {}},
                               opener);
    http.enqueue(c.status, c.body);
    try {
        const GoogleOAuthTokens tokens = TestTasks::run(
            manager.exchangeCode(QStringLiteral("code-1"), QStringLiteral("verifier-1"),
                                 QStringLiteral("cid"), GoogleOAuthManager::redirectUri(8765)));
        EXPECT_FALSE(c.errorCase.has_value() || !c.description.isEmpty()) << "succeeded unexpectedly";
        EXPECT_EQ(tokens, (GoogleOAuthTokens{QStringLiteral("at-1"), QStringLiteral("rt-1"),
                                             clock.now().addSecs(3599)}));
    } catch (const GoogleOAuthError& error) {
        EXPECT_EQ(std::optional(error.errorCase()), c.errorCase);
        EXPECT_EQ(error.description(), c.description);
    } catch (const ZingError& error) {
        EXPECT_FALSE(c.errorCase.has_value()) << error.description().toStdString();
        EXPECT_FALSE(c.description.isEmpty()) << "failed unexpectedly: " << error.description().toStdString();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Answers, TokenAnswerTest,
    ::testing::Values(
        TokenCase{
            "complete", 200,
            R"({"access_token":"at-1","expires_in":3599,"refresh_token":"rt-1","scope":"s","token_type":"Bearer"})",
            std::nullopt, QString()},
        TokenCase{
            "without_refresh_token", 200, R"({"access_token":"at-1","expires_in":3599})",
            Case::missingRefreshToken,
            QStringLiteral("Google did not return a refresh token. Try again and approve all permissions.")},
        TokenCase{
            "empty_refresh_token", 200, R"({"access_token":"at-1","expires_in":3599,"refresh_token":""})",
            Case::missingRefreshToken,
            QStringLiteral("Google did not return a refresh token. Try again and approve all permissions.")},
        TokenCase{"without_expires_in", 200, R"({"access_token":"at-1","refresh_token":"rt-1"})",
                  Case::tokenExchangeFailed, QStringLiteral("Invalid token response")},
        TokenCase{"expires_in_as_text", 200,
                  R"({"access_token":"at-1","expires_in":"3599","refresh_token":"rt-1"})",
                  Case::tokenExchangeFailed, QStringLiteral("Invalid token response")},
        TokenCase{"access_token_not_text", 200,
                  R"({"access_token":7,"expires_in":3599,"refresh_token":"rt-1"})", Case::tokenExchangeFailed,
                  QStringLiteral("Invalid token response")},
        TokenCase{"array_instead_of_object", 200, R"([{"access_token":"at-1","expires_in":3599}])",
                  Case::tokenExchangeFailed, QStringLiteral("Invalid token response")},
        TokenCase{"rejected_with_json_body", 401,
                  R"({"error":"invalid_client","error_description":"The OAuth client was not found."})",
                  Case::tokenExchangeFailed,
                  QStringLiteral(
                      R"({"error":"invalid_client","error_description":"The OAuth client was not found."})")},
        TokenCase{"rejected_with_non_utf8_body", 400, QByteArray("\xff\xfe\x00", 3),
                  Case::tokenExchangeFailed, QStringLiteral("Token exchange failed")},
        TokenCase{"not_json", 200, "<html>oops</html>", std::nullopt, QStringLiteral("parser error")}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(GoogleOAuthManagerTest, ExchangeSendsTheFormAndNoSecretUnlessConfigured) {
    for (const std::optional<QString>& secret :
         {std::optional<QString>(), std::optional(QStringLiteral("GOCSPX-s"))}) {
        http.clearRequests();
        GoogleOAuthManager& m = manager(QStringLiteral("cid"), secret);
        http.enqueue(200, tokenJson(R"(,"refresh_token":"rt-1")"));
        TestTasks::run(m.exchangeCode(QStringLiteral("4/code"), QStringLiteral("ver"), QStringLiteral("cid"),
                                      GoogleOAuthManager::redirectUri(8765)));
        const HttpRequest& request = http.lastRequest();
        EXPECT_EQ(request.method, QByteArrayLiteral("POST"));
        EXPECT_EQ(request.url, QUrl(QStringLiteral("https://oauth2.googleapis.com/token")));
        EXPECT_EQ(request.header("Content-Type"), QByteArrayLiteral("application/x-www-form-urlencoded"));
        EXPECT_EQ(request.timeout, std::chrono::milliseconds(60000));
        QList<QPair<QString, QString>> expected{
            {QStringLiteral("client_id"), QStringLiteral("cid")},
            {QStringLiteral("code"), QStringLiteral("4/code")},
            {QStringLiteral("code_verifier"), QStringLiteral("ver")},
            {QStringLiteral("redirect_uri"), QStringLiteral("http://127.0.0.1:8765/oauth/callback")},
            {QStringLiteral("grant_type"), QStringLiteral("authorization_code")}};
        if (secret)
            expected.append({QStringLiteral("client_secret"), *secret});
        EXPECT_EQ(formItems(request.body), expected);
    }
}

TEST_F(GoogleOAuthManagerTest, RefreshKeepsTheRefreshTokenInUse) {
    http.enqueue(200, tokenJson(R"(,"refresh_token":"a-new-one")"));
    const GoogleOAuthTokens tokens = TestTasks::run(manager().refresh(QStringLiteral("1//old")));
    EXPECT_EQ(tokens, (GoogleOAuthTokens{QStringLiteral("at-1"), QStringLiteral("1//old"),
                                         clock.now().addSecs(3599)}));
    EXPECT_EQ(formItems(http.lastRequest().body),
              (QList<QPair<QString, QString>>{{QStringLiteral("client_id"), QStringLiteral("client.apps")},
                                              {QStringLiteral("grant_type"), QStringLiteral("refresh_token")},
                                              {QStringLiteral("refresh_token"), QStringLiteral("1//old")}}));
}

TEST_F(GoogleOAuthManagerTest, RefreshFailures) {
    struct Failure {
        int status;
        QByteArray body;
        QString description;
    };
    const QList<Failure> failures{
        {400, R"({"error":"invalid_grant","error_description":"Token has been expired or revoked."})",
         QStringLiteral(
             R"({"error":"invalid_grant","error_description":"Token has been expired or revoked."})")},
        {500, QByteArray("\xc3\x28", 2), QStringLiteral("Token refresh failed")},
        {200, R"({"access_token":"at-1"})", QStringLiteral("Invalid refresh response")},
    };
    GoogleOAuthManager& m = manager();
    for (const Failure& f : failures) {
        http.enqueue(f.status, f.body);
        try {
            TestTasks::run(m.refresh(QStringLiteral("rt")));
            ADD_FAILURE() << "refresh succeeded for " << f.body.toStdString();
        } catch (const GoogleOAuthError& error) {
            EXPECT_EQ(error.errorCase(), Case::tokenExchangeFailed);
            EXPECT_EQ(error.description(), f.description);
        }
    }
}

TEST_F(GoogleOAuthManagerTest, RefreshSendsTheSecretWhenConfigured) {
    http.enqueue(200, tokenJson());
    TestTasks::run(manager(QStringLiteral("cid"), QStringLiteral("GOCSPX-s")).refresh(QStringLiteral("rt")));
    EXPECT_EQ(formValue(http.lastRequest().body, "client_secret"), QStringLiteral("GOCSPX-s"));
}

TEST_F(GoogleOAuthManagerTest, WithoutClientIdNothingHappens) {
    GoogleOAuthManager& m = manager(std::nullopt);
    for (int attempt = 0; attempt < 2; ++attempt) {
        try {
            if (attempt == 0)
                TestTasks::run(m.authorize());
            else
                TestTasks::run(m.refresh(QStringLiteral("rt")));
            ADD_FAILURE() << "no error";
        } catch (const GoogleOAuthError& error) {
            EXPECT_EQ(error.errorCase(), Case::notConfigured);
            EXPECT_TRUE(
                error.description().startsWith(QStringLiteral("Google OAuth isn't configured. Add ")));
        }
    }
    EXPECT_TRUE(http.requests().isEmpty());
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST_F(GoogleOAuthManagerTest, RevokeSendsTheTokenAndSwallowsEveryFailure) {
    GoogleOAuthManager& m = manager();
    http.enqueue(400, R"({"error":"invalid_token"})");
    http.enqueueTransportError();
    TestTasks::run(m.revoke(QStringLiteral("1//rt+x")));
    TestTasks::run(m.revoke(QStringLiteral("1//rt+x")));
    ASSERT_EQ(http.requests().size(), 2);
    EXPECT_EQ(http.lastRequest().url, QUrl(QStringLiteral("https://oauth2.googleapis.com/revoke")));
    EXPECT_EQ(http.lastRequest().method, QByteArrayLiteral("POST"));
    EXPECT_EQ(formItems(http.lastRequest().body),
              (QList<QPair<QString, QString>>{{QStringLiteral("token"), QStringLiteral("1//rt+x")}}));
}

// The token request through the real HTTP stack: the server must read back exactly the values sent.
TEST(GoogleOAuthManagerOverHttp, RefreshOnARealServer) {
    LocalHttpServer server;
    server.route("POST", "/token",
                 LocalHttpServer::Response::json(200, R"({"access_token":"at-9","expires_in":60})"));
    ServiceEndpoints endpoints;
    endpoints.googleOAuth2Base = server.baseUrl();
    QtHttpClient http;
    FakeClock clock;
    ScriptedRandomSource random;
    FakeOpener opener;
    GoogleOAuthManager manager(http, clock, random, endpoints,
                               GoogleOAuthConfig{QStringLiteral("id+1"), QStringLiteral("s&=")}, opener);
    const GoogleOAuthTokens tokens = TestTasks::run(manager.refresh(QStringLiteral("1//a+b c&d")));
    EXPECT_EQ(tokens.accessToken, QStringLiteral("at-9"));
    EXPECT_EQ(tokens.expiresAt, clock.now().addSecs(60));
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(server.requests().first().formItems(),
              (QList<QPair<QString, QString>>{{QStringLiteral("client_id"), QStringLiteral("id+1")},
                                              {QStringLiteral("grant_type"), QStringLiteral("refresh_token")},
                                              {QStringLiteral("refresh_token"), QStringLiteral("1//a+b c&d")},
                                              {QStringLiteral("client_secret"), QStringLiteral("s&=")}}));
}

TEST_F(GoogleOAuthManagerTest, SignInOpensTheBrowserAfterTheListenerAndExchangesTheCode) {
    GoogleOAuthManager& m = manager(QStringLiteral("cid"), QStringLiteral("sec"));
    browserRedirectsWith("code=4%2F0Ab&scope=x");
    http.enqueue(200, tokenJson(R"(,"refresh_token":"rt-1")"));
    QCoro::Task<GoogleOAuthTokens> task = m.authorize();
    // Listening before the browser is sent anywhere, and the browser only after the pause.
    EXPECT_FALSE(refuses(port));
    clock.advance(GoogleOAuthManager::browserDelay - std::chrono::milliseconds(1));
    EXPECT_TRUE(opener.opened.isEmpty());
    QTimer::singleShot(0, [this] { clock.advance(std::chrono::milliseconds(1)); });
    const GoogleOAuthTokens tokens = TestTasks::run(std::move(task));

    EXPECT_EQ(tokens,
              (GoogleOAuthTokens{QStringLiteral("at-1"), QStringLiteral("rt-1"), clock.now().addSecs(3599)}));
    EXPECT_TRUE(browserSaw.contains("Connected to Zingboard"));
    ASSERT_EQ(opener.opened.size(), 1);
    const QUrlQuery authorization(opener.opened.first());
    EXPECT_FALSE(authorization.hasQueryItem(QStringLiteral("client_secret")));
    const QByteArray form = http.lastRequest().body;
    EXPECT_EQ(formValue(form, "code"), QStringLiteral("4/0Ab"));
    EXPECT_EQ(formValue(form, "redirect_uri"), GoogleOAuthManager::redirectUri(port));
    EXPECT_EQ(authorization.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded),
              GoogleOAuthManager::redirectUri(port));
    EXPECT_EQ(PKCE::challenge(formValue(form, "code_verifier")),
              authorization.queryItemValue(QStringLiteral("code_challenge")));
    EXPECT_TRUE(refuses(port));
}

TEST_F(GoogleOAuthManagerTest, DenialInTheBrowserFailsWithoutATokenRequest) {
    GoogleOAuthManager& m = manager();
    browserRedirectsWith("error=access_denied");
    passBrowserDelay();
    try {
        TestTasks::run(m.authorize());
        ADD_FAILURE() << "sign-in succeeded";
    } catch (const GoogleOAuthError& error) {
        EXPECT_EQ(error.description(), QStringLiteral("Google sign-in denied: access_denied"));
    }
    EXPECT_TRUE(browserSaw.contains("Sign-in failed"));
    EXPECT_TRUE(http.requests().isEmpty());
}

TEST_F(GoogleOAuthManagerTest, BrowserThatCannotOpenClosesTheListener) {
    GoogleOAuthManager& m = manager();
    opener.onOpen = [](const QUrl&) { return false; };
    passBrowserDelay();
    try {
        TestTasks::run(m.authorize());
        ADD_FAILURE() << "sign-in succeeded";
    } catch (const GoogleOAuthError& error) {
        EXPECT_EQ(error.errorCase(), Case::browserOpenFailed);
        EXPECT_EQ(error.description(), QStringLiteral("Could not open your browser for Google sign-in."));
    }
    EXPECT_TRUE(refuses(port));
}

TEST_F(GoogleOAuthManagerTest, PortInUseSignsInThroughAFreePortNamedInTheRedirect) {
    QTcpServer squatter;
    ASSERT_TRUE(squatter.listen(QHostAddress::LocalHost, port));
    GoogleOAuthManager& m = manager();
    browserRedirectsWith("code=c");
    http.enqueue(200, tokenJson(R"(,"refresh_token":"rt-1")"));
    passBrowserDelay();
    EXPECT_EQ(TestTasks::run(m.authorize()).refreshToken, QStringLiteral("rt-1"));
    ASSERT_EQ(opener.opened.size(), 1);
    const QUrl redirect(
        QUrlQuery(opener.opened.first()).queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
    EXPECT_EQ(redirect.host(), QStringLiteral("127.0.0.1"));
    EXPECT_NE(redirect.port(), port);
    EXPECT_EQ(formValue(http.lastRequest().body, "redirect_uri"), redirect.toString());
}

// A real browser request (curl) to the real listener, on the free port it fell back to, with another
// sign-in's state: the page says so and the sign-in ends without asking for tokens.
TEST_F(GoogleOAuthManagerTest, RedirectWithAnotherStateFailsTheSignInThroughCurl) {
    const QString curl = QStandardPaths::findExecutable(QStringLiteral("curl"));
    if (curl.isEmpty())
        GTEST_SKIP() << "curl is not installed (scripts/install-deps.sh test)";
    QTcpServer squatter;
    ASSERT_TRUE(squatter.listen(QHostAddress::LocalHost, port));
    QProcess browser;
    opener.onOpen = [&](const QUrl& url) {
        const QUrl redirect(
            QUrlQuery(url).queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
        browser.start(curl,
                      {QStringLiteral("-sS"), QStringLiteral("--max-time"), QStringLiteral("20"),
                       redirect.toString() + QStringLiteral("?code=4%2F0forged&state=") +
                           QUrlQuery(url).queryItemValue(QStringLiteral("state")) + QStringLiteral("x")});
        return true;
    };
    GoogleOAuthManager& m = manager();
    passBrowserDelay();
    try {
        TestTasks::run(m.authorize());
        ADD_FAILURE() << "sign-in succeeded";
    } catch (const GoogleOAuthError& error) {
        EXPECT_EQ(error.errorCase(), Case::stateMismatch);
        EXPECT_EQ(error.description(),
                  QStringLiteral("The sign-in answer did not match this sign-in request."));
    }
    // The page still has to travel: wait for curl with the event loop running.
    if (browser.state() != QProcess::NotRunning) {
        QEventLoop loop;
        QObject::connect(&browser, &QProcess::finished, &loop, &QEventLoop::quit);
        QTimer::singleShot(std::chrono::seconds(20), &loop, &QEventLoop::quit);
        loop.exec();
    }
    EXPECT_TRUE(browser.readAllStandardOutput().contains("<title>Sign-in failed</title>"));
    EXPECT_TRUE(http.requests().isEmpty());
}

TEST_F(GoogleOAuthManagerTest, NewSignInCancelsTheOneStillWaiting) {
    GoogleOAuthManager& m = manager();
    QCoro::Task<GoogleOAuthTokens> first = m.authorize();
    clock.advance(GoogleOAuthManager::browserDelay);
    ASSERT_EQ(opener.opened.size(), 1);

    browserRedirectsWith("code=second");
    http.enqueue(200, tokenJson(R"(,"refresh_token":"rt-2")"));
    QCoro::Task<GoogleOAuthTokens> second = m.authorize();
    try {
        TestTasks::run(std::move(first));
        ADD_FAILURE() << "the first sign-in went on";
    } catch (const GoogleOAuthError& error) {
        EXPECT_EQ(error.errorCase(), Case::cancelled);
    }
    passBrowserDelay();
    EXPECT_EQ(TestTasks::run(std::move(second)).refreshToken, QStringLiteral("rt-2"));
}

TEST_F(GoogleOAuthManagerTest, TransportFailureOfTheExchangePassesThrough) {
    GoogleOAuthManager& m = manager();
    browserRedirectsWith("code=c");
    http.enqueueTransportError(QStringLiteral("Connection refused"));
    passBrowserDelay();
    try {
        TestTasks::run(m.authorize());
        ADD_FAILURE() << "sign-in succeeded";
    } catch (const TransportError& error) {
        EXPECT_EQ(error.description(), QStringLiteral("Connection refused"));
    }
}

} // namespace

namespace {

TEST(GoogleOAuthTokens, JsonFormRoundTripsAndIsStrict) {
    const GoogleOAuthTokens tokens{QStringLiteral("at"), QStringLiteral("rt"),
                                   QDateTime(QDate(2026, 12, 6), QTime(8, 22, 44), Qt::UTC)};
    EXPECT_EQ(GoogleOAuthTokens::fromJson(tokens.toJson()), tokens);
    const GoogleOAuthTokens withoutRefresh{QStringLiteral("at"), std::nullopt, tokens.expiresAt};
    EXPECT_FALSE(withoutRefresh.toJson().contains(QStringLiteral("refreshToken")));
    EXPECT_EQ(GoogleOAuthTokens::fromJson(withoutRefresh.toJson()), withoutRefresh);
    for (const char* bad : {R"({"refreshToken":"rt","expiresAt":1})", R"({"accessToken":"at"})",
                            R"({"accessToken":"at","expiresAt":"soon"})",
                            R"({"accessToken":"at","expiresAt":1,"refreshToken":5})"})
        EXPECT_FALSE(GoogleOAuthTokens::fromJson(QJsonDocument::fromJson(bad).object()).has_value()) << bad;
}

} // namespace
