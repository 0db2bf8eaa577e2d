#include "cli_sandbox.h"
#include "google/pkce.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "model/secret_service_credential_store.h"
#include "support/local_http_server.h"
#include "support/qt_printers.h"
#include "support/run_task.h"

#include <QDateTime>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QUrlQuery>
#include <gtest/gtest.h>
#include <memory>

namespace {

// A stand-in for Google on 127.0.0.1: the authorization page sends the browser straight back to the loopback
// redirect (approving or denying), the token endpoint insists on the PKCE verifier of the challenge it saw,
// and the admin, sites, report and query APIs answer for the tokens it handed out.
class FakeGoogle {
public:
    using Request = LocalHttpServer::RecordedRequest;
    using Response = LocalHttpServer::Response;

    bool approve = true;
    QString challenge;
    int codeExchanges = 0;
    int refreshes = 0;
    QByteArrayList reportBearers;

    FakeGoogle() {
        server.route("GET", "/o/oauth2/v2/auth", [this](const Request& r) { return authorize(r); });
        server.route("POST", "/token", [this](const Request& r) { return token(r); });
        server.route("POST", "/revoke", Response::json(200, "{}"));
        server.route("GET", "/v1beta/accountSummaries", [this](const Request& r) {
            return authorized(r, R"({"accountSummaries":[{"displayName":"Acme","propertySummaries":[
                {"property":"properties/999","displayName":"Zeta blog"},
                {"property":"properties/123456","displayName":"Acme shop"}]}]})");
        });
        server.route("GET", "/webmasters/v3/sites", [this](const Request& r) {
            return authorized(
                r, R"({"siteEntry":[{"siteUrl":"sc-domain:acme.example","permissionLevel":"siteOwner"},
                {"siteUrl":"https://acme.example/","permissionLevel":"siteFullUser"}]})");
        });
        server.route("POST", "/v1beta/properties/123456:runReport",
                     [this](const Request& r) { return report(r); });
        server.route("POST", "/webmasters/v3/sites/https:%2F%2Facme.example%2F/searchAnalytics/query",
                     [this](const Request& r) {
                         return authorized(r, R"({"rows":[{"clicks":12,"impressions":100,"position":2},
                                                  {"clicks":30,"impressions":300,"position":6}]})");
                     });
    }

    void configure(CliSandbox& sandbox) const {
        for (const char* name :
             {"ZINGBOARD_GOOGLE_ACCOUNTS_BASE", "ZINGBOARD_GOOGLE_OAUTH2_BASE", "ZINGBOARD_GA_ADMIN_API_BASE",
              "ZINGBOARD_GA_DATA_API_BASE", "ZINGBOARD_GSC_API_BASE"})
            sandbox.setEnv(QString::fromLatin1(name), server.baseUrl());
        sandbox.setEnv(QStringLiteral("ZINGBOARD_GOOGLE_OAUTH_CLIENT_ID"),
                       QStringLiteral("e2e.apps.example"));
    }

    LocalHttpServer server;

private:
    static QString form(const Request& r, const char* name) {
        for (const auto& [key, value] : r.formItems()) {
            if (key == QLatin1String(name))
                return value;
        }
        return {};
    }

    Response authorize(const Request& r) {
        const QUrlQuery query(QString::fromUtf8(r.rawQuery));
        challenge = query.queryItemValue(QStringLiteral("code_challenge"));
        m_redirect = query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded);
        const QByteArray outcome = approve ? "?code=4%2F0e2e-code&scope=analytics" : "?error=access_denied";
        // Google hands the sign-in's state back with either answer.
        return Response::redirect(302, m_redirect.toUtf8() + outcome + "&state=" +
                                           query.queryItemValue(QStringLiteral("state")).toUtf8());
    }

    Response token(const Request& r) {
        if (form(r, "client_id") != QLatin1String("e2e.apps.example"))
            return Response::json(401, R"({"error":"invalid_client"})");
        if (form(r, "grant_type") == QLatin1String("authorization_code")) {
            ++codeExchanges;
            if (form(r, "code") != QLatin1String("4/0e2e-code") || form(r, "redirect_uri") != m_redirect ||
                PKCE::challenge(form(r, "code_verifier")) != challenge)
                return Response::json(400,
                                      R"({"error":"invalid_grant","error_description":"PKCE mismatch"})");
            return Response::json(200, R"({"access_token":"at-1","expires_in":3599,"refresh_token":"rt-1"})");
        }
        ++refreshes;
        if (form(r, "refresh_token") != QLatin1String("rt-1"))
            return Response::json(400, R"({"error":"invalid_grant"})");
        return Response::json(200, R"({"access_token":"at-2","expires_in":3599})");
    }

    Response authorized(const Request& r, const QByteArray& body) {
        const QByteArray bearer = r.header("Authorization");
        if (bearer != "Bearer at-1" && bearer != "Bearer at-2")
            return Response::json(401, R"({"error":{"code":401,"status":"UNAUTHENTICATED"}})");
        return Response::json(200, body);
    }

    Response report(const Request& r) {
        reportBearers.append(r.header("Authorization"));
        const QString start = QJsonDocument::fromJson(r.body)
                                  .object()
                                  .value(QStringLiteral("dateRanges"))
                                  .toArray()
                                  .first()
                                  .toObject()
                                  .value(QStringLiteral("startDate"))
                                  .toString();
        QByteArray values = R"([{"value":"160"}])";
        QByteArray headers = R"([{"name":"totalUsers"}])";
        if (start == QLatin1String("28daysAgo")) {
            headers =
                R"([{"name":"sessions"},{"name":"totalUsers"},{"name":"screenPageViews"},{"name":"newUsers"},
                          {"name":"engagedSessions"},{"name":"activeUsers"},{"name":"eventCount"}])";
            values = R"([{"value":"1234"},{"value":"987"},{"value":"5600"},{"value":"321"},{"value":"800"},
                         {"value":"950"},{"value":"14000"}])";
        } else if (start == QLatin1String("2daysAgo")) {
            headers = R"([{"name":"sessions"},{"name":"totalUsers"}])";
            values = R"([{"value":"90"},{"value":"70"}])";
        } else if (start == QLatin1String("7daysAgo")) {
            headers = R"([{"name":"sessions"},{"name":"totalUsers"}])";
            values = R"([{"value":"300"},{"value":"240"}])";
        }
        return authorized(r,
                          "{\"metricHeaders\":" + headers + ",\"rows\":[{\"metricValues\":" + values + "}]}");
    }

    QString m_redirect;
};

// Headless Chromium following the authorization address; its standard output is the final page's DOM.
class HeadlessChromium {
public:
    static QString program() { return QStandardPaths::findExecutable(QStringLiteral("chromium")); }

    void open(const QByteArray& url) {
        m_process = std::make_unique<QProcess>();
        m_process->start(program(),
                         {QStringLiteral("--headless"), QStringLiteral("--no-sandbox"),
                          QStringLiteral("--disable-gpu"), QStringLiteral("--disable-quic"),
                          QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
                          QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
                          QStringLiteral("--user-data-dir=") + m_profile.path(), QStringLiteral("--dump-dom"),
                          QString::fromUtf8(url)});
    }
    bool opened() const { return m_process != nullptr; }
    QByteArray dom() {
        if (!m_process)
            return {};
        if (!m_process->waitForFinished(60000))
            m_process->kill();
        return m_process->readAllStandardOutput();
    }

private:
    QTemporaryDir m_profile;
    std::unique_ptr<QProcess> m_process;
};

class GoogleSignInCli : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CliSandbox::onPrivateKeyring())
            GTEST_SKIP() << "needs the private keyring that scripts/run-tests.sh starts";
        if (HeadlessChromium::program().isEmpty())
            GTEST_SKIP() << "chromium is not installed (scripts/install-deps.sh test)";
        clearAccounts();
        google.configure(sandbox);
    }
    void TearDown() override {
        if (CliSandbox::onPrivateKeyring())
            clearAccounts();
    }
    static void clearAccounts() {
        SecretServiceCredentialStore store;
        for (const QString& account :
             {CredentialAccounts::googleAccessToken(), CredentialAccounts::googleRefreshToken(),
              CredentialAccounts::googleAccessTokenExpiresAt(), CredentialAccounts::ga4PropertyId(),
              CredentialAccounts::gscSiteUrl()})
            store.remove(account);
    }
    static std::optional<QString> stored(const QString& account) {
        SecretServiceCredentialStore store;
        KeychainStore keychain(store);
        return TestTasks::run(keychain.load(account));
    }
    // `connect google --no-browser ...`, with Chromium sent to the address the command prints.
    CliSandbox::Result connect(const QStringList& flags, HeadlessChromium& browser) {
        QStringList arguments{QStringLiteral("connect"), QStringLiteral("google"),
                              QStringLiteral("--no-browser")};
        arguments += flags;
        return sandbox.runUntil(
            arguments,
            [&browser](const QByteArray& line) {
                if (!line.startsWith("http://127.0.0.1:") || !line.contains("/o/oauth2/v2/auth?"))
                    return false;
                browser.open(line.trimmed());
                return true;
            },
            0, std::chrono::seconds(90));
    }

    CliSandbox sandbox;
    FakeGoogle google;
};

// One test: every step uses the fixed loopback port and the same keyring accounts.
TEST_F(GoogleSignInCli, DenialThenSignInThenPollingThroughTheFake) {
    // Denied in the browser: the page says so and the command fails with the denial.
    google.approve = false;
    HeadlessChromium deniedBrowser;
    const CliSandbox::Result denied = connect({}, deniedBrowser);
    ASSERT_TRUE(deniedBrowser.opened()) << denied.out.toStdString();
    EXPECT_TRUE(deniedBrowser.dom().contains("Sign-in failed"));
    EXPECT_EQ(denied.exitCode, 1);
    EXPECT_TRUE(denied.err.contains("Google sign-in denied: access_denied")) << denied.err.toStdString();
    EXPECT_EQ(google.codeExchanges, 0);
    EXPECT_FALSE(stored(CredentialAccounts::googleRefreshToken()).has_value());

    // Approved: tokens in the Secret Service, the lists printed, the choices applied as the panel would.
    google.approve = true;
    HeadlessChromium browser;
    const CliSandbox::Result connected =
        connect({QStringLiteral("--ga-property"), QStringLiteral("123456"), QStringLiteral("--gsc-site"),
                 QStringLiteral("https://acme.example/")},
                browser);
    ASSERT_TRUE(browser.opened()) << connected.out.toStdString();
    EXPECT_TRUE(browser.dom().contains("Connected to Zingboard"));
    ASSERT_EQ(connected.exitCode, 0) << connected.err.toStdString();
    EXPECT_EQ(google.codeExchanges, 1);
    const QString out = QString::fromUtf8(connected.out);
    EXPECT_TRUE(out.contains(QStringLiteral("1. Acme shop (properties/123456) \u2014 Acme")))
        << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("2. Zeta blog (properties/999)"))) << out.toStdString();
    EXPECT_TRUE(out.contains(QStringLiteral("1. https://acme.example/ (siteFullUser)"))) << out.toStdString();
    EXPECT_EQ(stored(CredentialAccounts::googleRefreshToken()), QStringLiteral("rt-1"));
    EXPECT_EQ(stored(CredentialAccounts::googleAccessToken()), QStringLiteral("at-1"));
    EXPECT_EQ(stored(CredentialAccounts::ga4PropertyId()), QStringLiteral("123456"));
    EXPECT_EQ(stored(CredentialAccounts::gscSiteUrl()), QStringLiteral("https://acme.example/"));
    const QJsonObject settings =
        QJsonDocument::fromJson(sandbox.document(QStringLiteral("zingboard.settings")).value_or(QByteArray()))
            .object()
            .value(QStringLiteral("googleIntegration"))
            .toObject();
    EXPECT_EQ(settings.value(QStringLiteral("gaPropertyId")).toString(), QStringLiteral("123456"));
    EXPECT_EQ(settings.value(QStringLiteral("gaPropertyName")).toString(), QStringLiteral("Acme shop"));
    EXPECT_EQ(settings.value(QStringLiteral("gscSiteUrl")).toString(),
              QStringLiteral("https://acme.example/"));

    // An access token a minute from expiry: the poll refreshes it once and both providers use the new one.
    SecretServiceCredentialStore store;
    KeychainStore keychain(store);
    TestTasks::run(keychain.save(QDateTime::currentDateTimeUtc().addSecs(60).toString(Qt::ISODate),
                                 CredentialAccounts::googleAccessTokenExpiresAt()));
    const CliSandbox::Result poll = sandbox.run({QStringLiteral("headless"), QStringLiteral("--once"),
                                                 QStringLiteral("--json"), QStringLiteral("--mute")});
    ASSERT_EQ(poll.exitCode, 0) << poll.err.toStdString() << poll.out.toStdString();
    EXPECT_EQ(google.refreshes, 1);
    EXPECT_EQ(google.reportBearers,
              (QByteArrayList{"Bearer at-2", "Bearer at-2", "Bearer at-2", "Bearer at-2"}));
    EXPECT_EQ(stored(CredentialAccounts::googleAccessToken()), QStringLiteral("at-2"));
    const QJsonObject document = QJsonDocument::fromJson(poll.out).object();
    EXPECT_TRUE(document.value(QStringLiteral("lastError")).isNull()) << poll.out.toStdString();
    const QJsonObject snapshots = document.value(QStringLiteral("snapshots")).toObject();
    const QJsonObject ga = snapshots.value(QStringLiteral("googleAnalytics")).toObject();
    const QJsonObject gaValues = ga.value(QStringLiteral("values")).toObject();
    EXPECT_EQ(gaValues.size(), 16);
    EXPECT_EQ(gaValues.value(QStringLiteral("sessions")).toDouble(), 1234);
    EXPECT_EQ(gaValues.value(QStringLiteral("usersGrowth")).toDouble(), 50);
    EXPECT_EQ(gaValues.value(QStringLiteral("pageviewsToday")).toDouble(), 200);
    EXPECT_EQ(ga.value(QStringLiteral("displaySummary")).toString(),
              QStringLiteral("1234 sessions \u00b7 987 users (28d)"));
    const QJsonObject gsc = snapshots.value(QStringLiteral("googleSearchConsole")).toObject();
    const QJsonObject gscValues = gsc.value(QStringLiteral("values")).toObject();
    EXPECT_EQ(gscValues.size(), 6);
    EXPECT_EQ(gscValues.value(QStringLiteral("avgPosition")).toDouble(), 5);
    EXPECT_EQ(gscValues.value(QStringLiteral("clicks")).toDouble(), 42);
    EXPECT_EQ(gsc.value(QStringLiteral("displaySummary")).toString(),
              QStringLiteral("42 clicks \u00b7 10.5% CTR (28d)"));

    // Disconnecting revokes the refresh token at Google and forgets everything.
    const CliSandbox::Result disconnected =
        sandbox.run({QStringLiteral("disconnect"), QStringLiteral("google")});
    EXPECT_EQ(disconnected.exitCode, 0);
    const QList<LocalHttpServer::RecordedRequest> revocations = google.server.requestsTo("/revoke");
    ASSERT_EQ(revocations.size(), 1);
    EXPECT_EQ(revocations.first().formItems(),
              (QList<QPair<QString, QString>>{{QStringLiteral("token"), QStringLiteral("rt-1")}}));
    EXPECT_FALSE(stored(CredentialAccounts::googleRefreshToken()).has_value());
    EXPECT_FALSE(stored(CredentialAccounts::ga4PropertyId()).has_value());
}

} // namespace
