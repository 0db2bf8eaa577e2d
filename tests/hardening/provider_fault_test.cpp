#include "capped_timeout_http_client.h"
#include "engine/app_state.h"
#include "engine/google_connect_flow.h"
#include "engine/google_oauth_token_revoker.h"
#include "google/browser_opener.h"
#include "google/google_oauth_manager.h"
#include "google/google_oauth_tokens.h"
#include "google/loopback_test_support.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "net/qt_http_client.h"
#include "net/service_endpoints.h"
#include "providers/analytics/google_analytics_provider.h"
#include "providers/datafast/datafast_provider.h"
#include "providers/google/google_integration_service.h"
#include "providers/searchconsole/google_search_console_provider.h"
#include "providers/stripe/stripe_provider.h"
#include "support/event_loop_wait.h"
#include "support/fake_clock.h"
#include "support/fake_credential_validator.h"
#include "support/fake_metric_provider.h"
#include "support/local_http_server.h"
#include "support/memory_credential_store.h"
#include "support/memory_preferences_store.h"
#include "support/recording_sound_player.h"
#include "support/run_task.h"
#include "support/scripted_random_source.h"

#include <QFile>
#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <QUrlQuery>
#include <gtest/gtest.h>
#include <memory>

namespace {

using Response = LocalHttpServer::Response;
using namespace std::chrono_literals;

constexpr qint64 fiftyMegabytes = 50LL * 1024 * 1024;

QByteArray testData(const char* name) {
    QFile file(QStringLiteral(ZINGBOARD_TEST_DATA_DIR "/") + QString::fromUtf8(name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing test data " << name;
    return file.readAll();
}

Response htmlPage(int status) {
    Response response;
    response.status = status;
    response.headers = {{"Content-Type", "text/html; charset=utf-8"}};
    response.body =
        "<!DOCTYPE html><html><head><title>Error</title></head><body><h1>Internal Server Error</h1>"
        "<p>Something broke upstream.</p></body></html>";
    return response;
}

struct Fault {
    const char* name;
    std::function<Response(const QByteArray& path)> respond;
    // Part of the error text the user should see; empty when any description will do.
    const char* errorFragment;
};

const QList<Fault>& faults() {
    static const QList<Fault> list = {
        {"html500", [](const QByteArray&) { return htmlPage(500); }, ""},
        {"tooManyRequests",
         [](const QByteArray&) {
             return Response::json(429, R"({"error":{"message":"Rate limit exceeded","type":"rate_limit"}})")
                 .withHeader("Retry-After", "30");
         },
         ""},
        {"cutMidBody",
         [](const QByteArray&) {
             return Response::closeMidBody(QByteArray(R"({"data":[)") + QByteArray(4000, ' ') + "]}");
         },
         ""},
        {"neverAnswers", [](const QByteArray&) { return Response::neverAnswer(); }, "timed out"},
        {"connectionReset", [](const QByteArray&) { return Response::resetConnection(); }, ""},
        {"redirectLoop",
         [](const QByteArray& path) {
             static int hop = 0;
             return Response::redirect(307, path + "?hop=" + QByteArray::number(++hop));
         },
         ""},
        {"hugeDeclaredBody", [](const QByteArray&) { return Response::hugeBody(fiftyMegabytes, true); },
         "too large"},
        {"hugeStreamedBody", [](const QByteArray&) { return Response::hugeBody(fiftyMegabytes, false); },
         "too large"},
    };
    return list;
}

struct Route {
    QByteArray method;
    QByteArray path;
    const char* healthyBody; // under tests/data, or the JSON itself when it starts with '{'
};

// What can misbehave: one provider's API, or Google's token endpoint that both Google sources depend on
// (their access token has run out, so every poll refreshes it first).
struct Source {
    const char* name;
    QList<IntegrationProvider> affected;
    QList<Route> routes;
};

// Answers a refresh (which keeps the refresh token in use) and a sign-in's code exchange alike.
constexpr char refreshedTokens[] =
    R"({"access_token":"ya29.refreshed","expires_in":3599,"refresh_token":"1//rotated","token_type":"Bearer"})";

const QList<Source>& sources() {
    static const QList<Source> list = {
        {"stripe",
         {IntegrationProvider::stripe},
         {{"GET", "/v1/charges", "stripe/account_charges.json"},
          {"GET", "/v1/subscriptions", "stripe/account_subscriptions.json"},
          {"GET", "/v1/events", "stripe/events.json"}}},
        {"datafast",
         {IntegrationProvider::datafast},
         {{"GET", "/api/v1/websites/site-1/stats", "datafast/stats_full.json"}}},
        {"googleAnalytics",
         {IntegrationProvider::googleAnalytics},
         {{"POST", "/v1beta/properties/123456:runReport", "google/ga_report_28d.json"}}},
        {"googleSearchConsole",
         {IntegrationProvider::googleSearchConsole},
         {{"POST", "/webmasters/v3/sites/sc-domain:example.com/searchAnalytics/query",
           "google/gsc_query.json"}}},
        {"googleToken",
         {IntegrationProvider::googleAnalytics, IntegrationProvider::googleSearchConsole},
         {{"POST", "/token", refreshedTokens}}},
    };
    return list;
}

// Google's revocation endpoint, asked only when the user disconnects Google.
const Source& revocation() {
    static const Source source{"googleRevoke", {}, {{"POST", "/revoke", "{}"}}};
    return source;
}

const QList<IntegrationProvider>& polledProviders() {
    static const QList<IntegrationProvider> list = {
        IntegrationProvider::stripe, IntegrationProvider::datafast, IntegrationProvider::googleAnalytics,
        IntegrationProvider::googleSearchConsole};
    return list;
}

// Every service at the one local server.
ServiceEndpoints endpointsAt(const LocalHttpServer& server) {
    ServiceEndpoints endpoints;
    for (QString* base : {&endpoints.stripeApiBase, &endpoints.datafastApiBase, &endpoints.gaDataApiBase,
                          &endpoints.gaAdminApiBase, &endpoints.gscApiBase, &endpoints.googleAccountsBase,
                          &endpoints.googleOAuth2Base})
        *base = server.baseUrl();
    return endpoints;
}

// Approves the sign-in at once: sends the loopback listener the callback a browser would bring back.
class ApprovingBrowser final : public BrowserOpener {
public:
    bool openUrl(const QUrl& url) override {
        const LoopbackTestSupport::Redirect redirect =
            LoopbackTestSupport::redirectFor(url, "code=4%2F0fault-code");
        m_socket = std::make_unique<QTcpSocket>();
        QTcpSocket* socket = m_socket.get();
        QObject::connect(socket, &QTcpSocket::connected, socket,
                         [socket, redirect] { socket->write(redirect.request); });
        socket->connectToHost(QHostAddress::LocalHost, redirect.port);
        return true;
    }

private:
    std::unique_ptr<QTcpSocket> m_socket;
};

int freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

// One source misbehaves in one way while another answers normally; both are polled by the real engine through
// the real HTTP client against a real server on 127.0.0.1.
class ProviderFaultTest : public ::testing::TestWithParam<std::tuple<int, int>> {
protected:
    virtual const Source& faulty() const { return sources().at(std::get<0>(GetParam())); }
    virtual const Fault& fault() const { return faults().at(std::get<1>(GetParam())); }
    QList<IntegrationProvider> healthyProviders() const {
        QList<IntegrationProvider> healthy;
        for (IntegrationProvider provider : polledProviders()) {
            if (!faulty().affected.contains(provider))
                healthy.append(provider);
        }
        return healthy;
    }
    bool tokenExpired() const { return QByteArray(faulty().name) == "googleToken"; }

    void SetUp() override {
        QList<const Source*> all;
        for (const Source& source : sources())
            all.append(&source);
        all.append(&revocation());
        for (const Source* source : std::as_const(all)) {
            const bool isFaulty = source == &faulty();
            for (const Route& route : source->routes) {
                const QByteArray body =
                    route.healthyBody[0] == '{' ? QByteArray(route.healthyBody) : testData(route.healthyBody);
                server.route(
                    route.method, route.path,
                    [this, path = route.path, body, isFaulty](const LocalHttpServer::RecordedRequest&) {
                        if (isFaulty && misbehaving)
                            return fault().respond(path);
                        return Response::json(200, body);
                    });
            }
        }
        TestTasks::run(keychain.save(QStringLiteral("sk_test_fault"), CredentialAccounts::stripeSecretKey()));
        TestTasks::run(keychain.save(QStringLiteral("df_fault_key"), CredentialAccounts::datafastApiKey()));
        TestTasks::run(keychain.save(QStringLiteral("site-1"), CredentialAccounts::datafastWebsiteId()));
        // A signed-in Google account whose access token is good for a day (no refresh in these polls), or
        // ran out an hour ago when the token endpoint is the one at fault.
        TestTasks::run(keychain.save(QStringLiteral("1//refresh"), CredentialAccounts::googleRefreshToken()));
        TestTasks::run(keychain.save(QStringLiteral("ya29.access"), CredentialAccounts::googleAccessToken()));
        TestTasks::run(keychain.save(GoogleOAuthTokens::expiryText(tokenExpired() ? clock.now().addSecs(-3600)
                                                                                  : clock.now().addDays(1)),
                                     CredentialAccounts::googleAccessTokenExpiresAt()));
        AppSettings settings = AppSettings::defaults();
        settings.googleIntegration.gaPropertyId = QStringLiteral("properties/123456");
        settings.googleIntegration.gaPropertyName = QStringLiteral("Shop");
        settings.googleIntegration.gscSiteUrl = QStringLiteral("sc-domain:example.com");
        persistence.encodeSettings(settings);
        QList<IntegrationConnection> connections = PersistenceManager::defaultIntegrations();
        for (IntegrationConnection& connection : connections) {
            if (connection.provider == IntegrationProvider::stripe ||
                connection.provider == IntegrationProvider::datafast) {
                connection.isConnected = true;
                connection.label = QStringLiteral("connected");
                connection.configuredAt = clock.now();
            }
        }
        persistence.encodeIntegrations(connections);
        engine =
            std::make_unique<AppState>(AppStateDependencies{persistence, keychain, demo, stripe, ga, datafast,
                                                            gsc, clock, random, sound, validator, revoker});
        QObject::connect(engine.get(), &AppState::pollFinished, [this] { ++pollsFinished; });
        // Launch reads the Google sign-in on the keyring's worker.
        TestTasks::run(engine->syncGoogleIntegrationState());
        for (IntegrationProvider provider : polledProviders())
            ASSERT_TRUE(engine->isProviderActive(provider))
                << IntegrationProviders::rawValue(provider).toStdString();
    }

    void TearDown() override { engine.reset(); }

    LocalHttpServer server;
    QtHttpClient network;
    CappedTimeoutHttpClient http{network, 400ms};
    ServiceEndpoints endpoints = endpointsAt(server);
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    MemoryPreferencesStore preferences;
    FakeClock clock;
    PersistenceManager persistence{preferences, clock};
    ScriptedRandomSource random;
    ApprovingBrowser browser;
    GoogleOAuthManager oauth{http,
                             clock,
                             random,
                             endpoints,
                             GoogleOAuthConfig{QStringLiteral("client.apps.example"), std::nullopt},
                             browser,
                             freePort()};
    GoogleIntegrationService google{http, keychain, clock, endpoints, oauth};
    StripeProvider stripe{http, keychain, clock, endpoints};
    DatafastProvider datafast{http, keychain, clock, endpoints};
    GoogleAnalyticsProvider ga{http, keychain, clock, endpoints, google};
    GoogleSearchConsoleProvider gsc{http, keychain, clock, endpoints, google};
    FakeMetricProvider demo{IntegrationProvider::demo};
    RecordingSoundPlayer sound;
    FakeCredentialValidator validator;
    GoogleOAuthTokenRevoker revoker{keychain, oauth};
    std::unique_ptr<AppState> engine;
    bool misbehaving = true;
    int pollsFinished = 0;
};

TEST_P(ProviderFaultTest, EndsAsLastErrorWhileOthersPollAndTheNextPollRecovers) {
    engine->startPolling();
    ASSERT_TRUE(spinUntil([this] { return pollsFinished >= 1; }, 30s)) << "the faulty poll never finished";

    // The failure came from the fault itself, not from a service out of reach.
    EXPECT_FALSE(server.requestsTo(faulty().routes.first().path).isEmpty())
        << "the failing service was never asked";
    ASSERT_TRUE(engine->lastError().has_value());
    const QString error = *engine->lastError();
    QString prefix;
    for (IntegrationProvider provider : faulty().affected) {
        const QString name = IntegrationProviders::displayName(provider) + QStringLiteral(": ");
        if (error.startsWith(name))
            prefix = name;
    }
    EXPECT_FALSE(prefix.isEmpty()) << "not the failing source's error: " << error.toStdString();
    EXPECT_GT(error.size(), prefix.size()) << "an error without a description";
    EXPECT_TRUE(error.contains(QString::fromUtf8(fault().errorFragment), Qt::CaseInsensitive))
        << error.toStdString();
    // Nothing of the failed source is published; the other sources are.
    for (IntegrationProvider failed : faulty().affected)
        EXPECT_FALSE(engine->snapshots().contains(failed))
            << IntegrationProviders::rawValue(failed).toStdString();
    for (IntegrationProvider healthy : healthyProviders())
        EXPECT_TRUE(engine->snapshots().contains(healthy))
            << IntegrationProviders::rawValue(healthy).toStdString();
    EXPECT_TRUE(engine->lastPollAt().has_value());
    // The short wait was injected: every request asked for the full minute.
    for (std::chrono::milliseconds asked : http.askedTimeouts())
        EXPECT_EQ(asked, 60s);
    // A refused oversized answer stops the transfer instead of reading it all (the server streams only as the
    // client reads), whether it answers a GET or a POST.
    qsizetype answers = 0;
    for (const Route& route : faulty().routes)
        answers += server.requestsTo(route.path).size();
    EXPECT_LT(server.bytesSent(), answers * fiftyMegabytes);

    misbehaving = false;
    clock.advance(std::chrono::seconds(qint64(engine->settings().pollIntervalSeconds)));
    ASSERT_TRUE(spinUntil([this] { return pollsFinished >= 2; }, 30s)) << "no poll after the failed one";
    EXPECT_EQ(engine->lastError(), std::nullopt);
    for (IntegrationProvider provider : polledProviders())
        EXPECT_TRUE(engine->snapshots().contains(provider))
            << IntegrationProviders::rawValue(provider).toStdString();
    // A failed refresh lost nothing: the sign-in is intact and the next refresh was kept.
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::googleRefreshToken())),
              QStringLiteral("1//refresh"));
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::googleAccessToken())),
              tokenExpired() ? QStringLiteral("ya29.refreshed") : QStringLiteral("ya29.access"));
}

std::string caseName(const ::testing::TestParamInfo<std::tuple<int, int>>& info) {
    return std::string(sources().at(std::get<0>(info.param)).name) + "_" +
           faults().at(std::get<1>(info.param)).name;
}

INSTANTIATE_TEST_SUITE_P(Sources, ProviderFaultTest,
                         ::testing::Combine(::testing::Range(0, int(sources().size())),
                                            ::testing::Range(0, int(faults().size()))),
                         caseName);

// Disconnecting Google while its revocation endpoint misbehaves: the revocation is attempted with the refresh
// token, is bounded like any request, and the local sign-out goes ahead in full.
class GoogleRevokeFaultTest : public ProviderFaultTest {
protected:
    const Source& faulty() const override { return revocation(); }
    const Fault& fault() const override { return faults().at(std::get<1>(GetParam())); }
};

TEST_P(GoogleRevokeFaultTest, SignsOutLocallyWhateverGoogleAnswers) {
    engine->startPolling();
    ASSERT_TRUE(spinUntil([this] { return pollsFinished >= 1; }, 30s));
    ASSERT_EQ(engine->snapshots().size(), polledProviders().size());

    TestTasks::run(engine->disconnectGoogle(), 30s);

    const QList<LocalHttpServer::RecordedRequest> revocations = server.requestsTo("/revoke");
    ASSERT_FALSE(revocations.isEmpty()) << "Google was never asked to revoke";
    EXPECT_EQ(revocations.first().formItems(),
              (QList<QPair<QString, QString>>{{QStringLiteral("token"), QStringLiteral("1//refresh")}}));
    for (std::chrono::milliseconds asked : http.askedTimeouts())
        EXPECT_EQ(asked, 60s);
    for (const QString& account :
         {CredentialAccounts::googleAccessToken(), CredentialAccounts::googleRefreshToken(),
          CredentialAccounts::googleAccessTokenExpiresAt(), CredentialAccounts::ga4PropertyId(),
          CredentialAccounts::gscSiteUrl()})
        EXPECT_FALSE(TestTasks::run(keychain.load(account)).has_value()) << account.toStdString();
    EXPECT_FALSE(engine->settings().googleIntegration.gaPropertyId.has_value());
    ASSERT_TRUE(persistence.decodeSettings().has_value());
    EXPECT_FALSE(persistence.decodeSettings()->googleIntegration.gaPropertyId.has_value());
    for (IntegrationProvider google :
         {IntegrationProvider::googleAnalytics, IntegrationProvider::googleSearchConsole}) {
        EXPECT_FALSE(engine->isProviderActive(google));
        EXPECT_FALSE(engine->snapshots().contains(google));
    }

    // The other sources go on polling, and Google is left alone.
    const qsizetype googleRequests = server.requestsTo("/v1beta/properties/123456:runReport").size();
    clock.advance(std::chrono::seconds(qint64(engine->settings().pollIntervalSeconds)));
    ASSERT_TRUE(spinUntil([this] { return pollsFinished >= 2; }, 30s)) << "no poll after disconnecting";
    EXPECT_EQ(engine->lastError(), std::nullopt);
    EXPECT_TRUE(engine->snapshots().contains(IntegrationProvider::stripe));
    EXPECT_TRUE(engine->snapshots().contains(IntegrationProvider::datafast));
    EXPECT_EQ(server.requestsTo("/v1beta/properties/123456:runReport").size(), googleRequests);
}

INSTANTIATE_TEST_SUITE_P(Revocation, GoogleRevokeFaultTest,
                         ::testing::Combine(::testing::Values(0), ::testing::Range(0, int(faults().size()))),
                         [](const ::testing::TestParamInfo<std::tuple<int, int>>& info) {
                             return std::string(faults().at(std::get<1>(info.param)).name);
                         });

// Signing in again while the token endpoint misbehaves: the code exchange fails with a clear error, bounded
// like any request, and the sign-in that worked before is kept whole; a later attempt succeeds.
class GoogleSignInFaultTest : public ProviderFaultTest {
protected:
    std::optional<QString> signIn() {
        GoogleConnectFlow flow(*engine, oauth, google);
        QTimer::singleShot(0, [this] { clock.advance(GoogleOAuthManager::browserDelay); });
        try {
            TestTasks::run(flow.signIn(), 30s);
            return std::nullopt;
        } catch (const std::exception& error) {
            return describeError(error);
        }
    }
};

TEST_P(GoogleSignInFaultTest, FailsClearlyAndKeepsTheWorkingSignIn) {
    const std::optional<QString> failure = signIn();
    ASSERT_TRUE(failure.has_value()) << "the sign-in succeeded against a failing token endpoint";
    EXPECT_FALSE(failure->trimmed().isEmpty());
    EXPECT_TRUE(failure->contains(QString::fromUtf8(fault().errorFragment), Qt::CaseInsensitive))
        << failure->toStdString();
    const QList<LocalHttpServer::RecordedRequest> exchanges = server.requestsTo("/token");
    ASSERT_FALSE(exchanges.isEmpty()) << "the code was never exchanged";
    EXPECT_TRUE(exchanges.first().formItems().contains(
        {QStringLiteral("grant_type"), QStringLiteral("authorization_code")}));
    for (std::chrono::milliseconds asked : http.askedTimeouts())
        EXPECT_EQ(asked, 60s);
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::googleRefreshToken())),
              QStringLiteral("1//refresh"));
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::googleAccessToken())),
              QStringLiteral("ya29.access"));
    EXPECT_TRUE(engine->isProviderActive(IntegrationProvider::googleAnalytics));

    misbehaving = false;
    const std::optional<QString> retry = signIn();
    EXPECT_EQ(retry, std::nullopt);
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::googleRefreshToken())),
              QStringLiteral("1//rotated"));
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::googleAccessToken())),
              QStringLiteral("ya29.refreshed"));
}

INSTANTIATE_TEST_SUITE_P(SignIn, GoogleSignInFaultTest,
                         ::testing::Combine(::testing::Values(int(sources().size()) - 1),
                                            ::testing::Range(0, int(faults().size()))),
                         [](const ::testing::TestParamInfo<std::tuple<int, int>>& info) {
                             return std::string(faults().at(std::get<1>(info.param)).name);
                         });

} // namespace
