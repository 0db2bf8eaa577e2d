#include "engine/engine_fixture.h"
#include "engine/google_connect_flow.h"
#include "engine/google_oauth_token_revoker.h"
#include "google/browser_opener.h"
#include "google/google_oauth_manager.h"
#include "google/loopback_test_support.h"
#include "net/service_endpoints.h"
#include "providers/google/google_integration_service.h"
#include "support/event_loop_wait.h"
#include "support/manual_gate.h"
#include "support/qt_printers.h"
#include "support/run_task.h"
#include "support/scripted_http_client.h"

#include <QTimer>
#include <QUrlQuery>
#include <gtest/gtest.h>

namespace {

// Answers by path, after a gate, so a test can see which requests are under way at the same time.
class GatedHttpClient final : public HttpClient {
public:
    QCoro::Task<HttpResponse> send(HttpRequest request) override {
        requests.append(request);
        co_await gate.wait();
        co_return HttpResponse{200, {}, answers.value(request.url.path())};
    }
    ManualGate gate;
    QHash<QString, QByteArray> answers;
    QList<HttpRequest> requests;
};

class RecordingOpener final : public BrowserOpener {
public:
    bool openUrl(const QUrl& url) override {
        opened.append(url);
        if (onOpen)
            onOpen(url);
        return true;
    }
    QList<QUrl> opened;
    std::function<void(const QUrl&)> onOpen;
};

class GoogleConnectFlowTest : public EngineTest {
protected:
    GoogleConnectFlow& flow() {
        if (!m_flow)
            m_flow = std::make_unique<GoogleConnectFlow>(engine(), oauth, google);
        return *m_flow;
    }
    void signedIn() {
        TestTasks::run(keychain.save(QStringLiteral("1//rt"), CredentialAccounts::googleRefreshToken()));
        TestTasks::run(keychain.save(QStringLiteral("at"), CredentialAccounts::googleAccessToken()));
        TestTasks::run(keychain.save(GoogleOAuthTokens::expiryText(clock.now().addSecs(3600)),
                                     CredentialAccounts::googleAccessTokenExpiresAt()));
    }
    const IntegrationConnection* record(IntegrationProvider provider) {
        for (const IntegrationConnection& c : engine().integrations()) {
            if (c.provider == provider)
                return &c;
        }
        return nullptr;
    }

    const QList<Ga4PropertyOption> properties{
        {QStringLiteral("properties/123456"), QStringLiteral("Shop"), QStringLiteral("Acme")},
        {QStringLiteral("properties/999"), QStringLiteral("Blog"), std::nullopt}};
    const QList<GscSiteOption> sites{{QStringLiteral("https://example.com/"), QStringLiteral("siteOwner")},
                                     {QStringLiteral("sc-domain:example.com"), std::nullopt}};

    ScriptedHttpClient http;
    ServiceEndpoints endpoints;
    RecordingOpener opener;
    quint16 port = LoopbackTestSupport::freePort();
    GoogleOAuthManager oauth{http,   clock, random, endpoints, GoogleOAuthConfig{QStringLiteral("cid"), {}},
                             opener, port};
    GoogleIntegrationService google{http, keychain, clock, endpoints, oauth};

private:
    std::unique_ptr<GoogleConnectFlow> m_flow;
};

TEST_F(GoogleConnectFlowTest, ChoosingAPropertyStoresTheDigitsAndConnectsWithItsName) {
    signedIn();
    ASSERT_TRUE(TestTasks::run(flow().chooseGa4Property(properties, QStringLiteral("properties/123456"))));
    const GoogleIntegrationMetadata& metadata = engine().settings().googleIntegration;
    EXPECT_EQ(metadata.gaPropertyId, QStringLiteral("123456"));
    EXPECT_EQ(metadata.gaPropertyName, QStringLiteral("Shop"));
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::ga4PropertyId())), QStringLiteral("123456"));
    ASSERT_NE(record(IntegrationProvider::googleAnalytics), nullptr);
    EXPECT_TRUE(record(IntegrationProvider::googleAnalytics)->isConnected);
    EXPECT_EQ(record(IntegrationProvider::googleAnalytics)->label, QStringLiteral("Shop"));
    EXPECT_TRUE(engine().isProviderActive(IntegrationProvider::googleAnalytics));
    // Saved at once: a later launch sees the choice.
    EXPECT_EQ(persistence.decodeSettings()->googleIntegration.gaPropertyId, QStringLiteral("123456"));
}

TEST_F(GoogleConnectFlowTest, ChoosingASiteConnectsSearchConsole) {
    signedIn();
    ASSERT_TRUE(TestTasks::run(flow().chooseGscSite(sites, QStringLiteral("sc-domain:example.com"))));
    EXPECT_EQ(engine().settings().googleIntegration.gscSiteUrl, QStringLiteral("sc-domain:example.com"));
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::gscSiteUrl())),
              QStringLiteral("sc-domain:example.com"));
    EXPECT_EQ(record(IntegrationProvider::googleSearchConsole)->label,
              QStringLiteral("sc-domain:example.com"));
    EXPECT_TRUE(engine().isProviderActive(IntegrationProvider::googleSearchConsole));
    EXPECT_FALSE(engine().isProviderActive(IntegrationProvider::googleAnalytics));
}

TEST_F(GoogleConnectFlowTest, ChoicesNotListedChangeNothing) {
    signedIn();
    EXPECT_FALSE(TestTasks::run(flow().chooseGa4Property(properties, QStringLiteral("properties/1"))));
    EXPECT_FALSE(TestTasks::run(flow().chooseGscSite(sites, QStringLiteral("https://other.example/"))));
    EXPECT_EQ(engine().settings().googleIntegration, GoogleIntegrationMetadata{});
    EXPECT_FALSE(TestTasks::run(keychain.load(CredentialAccounts::ga4PropertyId())).has_value());
    EXPECT_FALSE(record(IntegrationProvider::googleAnalytics)->isConnected);
}

TEST(GoogleConnectFlowMatching, PropertyByResourceNameOrBareNumber) {
    const QList<Ga4PropertyOption> list{
        {QStringLiteral("properties/123456"), QStringLiteral("Shop"), std::nullopt}};
    EXPECT_TRUE(GoogleConnectFlow::findProperty(list, QStringLiteral("properties/123456")).has_value());
    EXPECT_TRUE(GoogleConnectFlow::findProperty(list, QStringLiteral("123456")).has_value());
    EXPECT_FALSE(GoogleConnectFlow::findProperty(list, QStringLiteral("12345")).has_value());
    EXPECT_FALSE(GoogleConnectFlow::findProperty(list, QStringLiteral("Shop")).has_value());
}

TEST(GoogleConnectFlowMatching, SessionExpiry) {
    EXPECT_TRUE(GoogleConnectFlow::meansSessionExpired(QStringLiteral(R"({"error":"INVALID_GRANT"})")));
    EXPECT_TRUE(GoogleConnectFlow::meansSessionExpired(QStringLiteral("Token refresh failed")));
    EXPECT_FALSE(GoogleConnectFlow::meansSessionExpired(QStringLiteral("token refresh failed")));
    EXPECT_FALSE(GoogleConnectFlow::meansSessionExpired(
        QStringLiteral("Enable Google Analytics Admin API in your Google Cloud project.")));
}

TEST_F(GoogleConnectFlowTest, ResourcesAreListedAtTheSameTime) {
    signedIn();
    GatedHttpClient gated;
    gated.answers.insert(
        QStringLiteral("/v1beta/accountSummaries"),
        R"({"accountSummaries":[{"propertySummaries":[{"property":"properties/1","displayName":"P"}]}]})");
    gated.answers.insert(QStringLiteral("/webmasters/v3/sites"),
                         R"({"siteEntry":[{"siteUrl":"sc-domain:a.b"}]})");
    gated.gate.close();
    GoogleIntegrationService gatedGoogle(gated, keychain, clock, endpoints, oauth);
    GoogleConnectFlow gatedFlow(engine(), oauth, gatedGoogle);
    QCoro::Task<GoogleConnectFlow::Resources> task = gatedFlow.loadResources();
    // Each listing reads the tokens on the keyring's worker first; the gate holds the answers meanwhile.
    spinUntil([&gated] { return gated.requests.size() == 2; }, std::chrono::seconds(20));
    EXPECT_EQ(gated.requests.size(), 2);
    gated.gate.open();
    const GoogleConnectFlow::Resources resources = TestTasks::run(std::move(task));
    EXPECT_EQ(resources.properties.size(), 1);
    EXPECT_EQ(resources.sites.size(), 1);
}

TEST_F(GoogleConnectFlowTest, SignInStoresTheTokens) {
    opener.onOpen = [](const QUrl& url) {
        const LoopbackTestSupport::Redirect redirect = LoopbackTestSupport::redirectFor(url, "code=c1");
        QTimer::singleShot(0, [redirect] { LoopbackTestSupport::exchange(redirect.port, redirect.request); });
    };
    http.enqueue(200, R"({"access_token":"at-new","expires_in":3600,"refresh_token":"rt-new"})");
    QTimer::singleShot(0, [this] { clock.advance(GoogleOAuthManager::browserDelay); });
    TestTasks::run(flow().signIn());
    EXPECT_TRUE(TestTasks::run(flow().isSignedIn()));
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::googleRefreshToken())),
              QStringLiteral("rt-new"));
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::googleAccessToken())),
              QStringLiteral("at-new"));
    EXPECT_EQ(TestTasks::run(keychain.load(CredentialAccounts::googleAccessTokenExpiresAt())),
              GoogleOAuthTokens::expiryText(clock.now().addSecs(3600)));
}

TEST_F(GoogleConnectFlowTest, RevokerRevokesTheStoredRefreshTokenOnly) {
    GoogleOAuthTokenRevoker revoker(keychain, oauth);
    TestTasks::run(revoker.revoke());
    EXPECT_TRUE(http.requests().isEmpty());

    TestTasks::run(keychain.save(QStringLiteral("1//to-revoke"), CredentialAccounts::googleRefreshToken()));
    http.enqueueTransportError();
    TestTasks::run(revoker.revoke());
    ASSERT_EQ(http.requests().size(), 1);
    EXPECT_EQ(http.lastRequest().url.path(), QStringLiteral("/revoke"));
    EXPECT_EQ(QUrlQuery(QString::fromUtf8(http.lastRequest().body))
                  .queryItemValue(QStringLiteral("token"), QUrl::FullyDecoded),
              QStringLiteral("1//to-revoke"));
}

} // namespace
