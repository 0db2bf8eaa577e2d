#include "app/components/zing_menu_picker.h"
#include "app/screens/connect/connect_session.h"
#include "app/screens/connect/google_connect_panel.h"
#include "app/screens/connect/google_resource_picker.h"
#include "app/screens/connect/integration_help_link.h"
#include "engine/app_state.h"
#include "engine/google_connect_flow.h"
#include "google/browser_opener.h"
#include "google/google_oauth_manager.h"
#include "google/google_oauth_tokens.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "model/secret_service_credential_store.h"
#include "net/qt_http_client.h"
#include "net/service_endpoints.h"
#include "providers/google/google_integration_service.h"
#include "support/fake_clock.h"
#include "support/fake_engine_parts.h"
#include "support/local_http_server.h"
#include "support/memory_credential_store.h"
#include "support/memory_preferences_store.h"
#include "support/recording_shell_actions.h"

#include "support/run_task.h"
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QTcpServer>
#include <QTest>
#include <QToolButton>
#include <QUrlQuery>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

// A port nothing listens on now; the listener falls back to another if it is taken meanwhile.
int freePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

bool onPrivateKeyring() {
    return qEnvironmentVariableIsSet("ZINGBOARD_TEST_SCRATCH") &&
           qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS");
}

// Plays the user's browser: follows the sign-in address with curl, through the server's redirect to the
// program's loopback listener. Or cancels the sign-in, as closing the browser tab and giving up would.
class CurlBrowser final : public BrowserOpener {
public:
    bool openUrl(const QUrl& url) override {
        opened.append(url);
        if (onOpen) {
            onOpen();
            return true;
        }
        auto* curl = new QProcess;
        QObject::connect(curl, &QProcess::finished, curl, &QObject::deleteLater);
        curl->start(QStringLiteral("curl"), {QStringLiteral("-s"), QStringLiteral("-L"), QStringLiteral("-o"),
                                             QStringLiteral("/dev/null"), url.toString(QUrl::FullyEncoded)});
        return true;
    }
    QList<QUrl> opened;
    std::function<void()> onOpen;
};

// The Google panel on the real sign-in (loopback listener, token exchange) and the real listings, all
// against a server on 127.0.0.1; the credentials go to the private Secret Service when the test runner
// provides one, else to memory.
class ConnectGoogleTest : public ::testing::Test, protected FakeEngineParts {
protected:
    void SetUp() override {
        for (QString* base : {&endpoints.googleAccountsBase, &endpoints.googleOAuth2Base,
                              &endpoints.gaAdminApiBase, &endpoints.gscApiBase})
            *base = server.baseUrl();
        server.route("GET", "/o/oauth2/v2/auth", [](const LocalHttpServer::RecordedRequest& request) {
            const QUrlQuery query(QString::fromUtf8(request.rawQuery));
            QUrl back(query.queryItemValue(QStringLiteral("redirect_uri"), QUrl::FullyDecoded));
            back.setQuery(QStringLiteral("code=the-code&state=") +
                          query.queryItemValue(QStringLiteral("state"), QUrl::FullyDecoded));
            return LocalHttpServer::Response::redirect(302, back.toString(QUrl::FullyEncoded).toUtf8());
        });
        server.route("POST", "/token",
                     [this](const LocalHttpServer::RecordedRequest&) { return tokenAnswer; });
        server.route("GET", "/v1beta/accountSummaries",
                     LocalHttpServer::Response::json(
                         200, R"({"accountSummaries":[{"displayName":"Acme","propertySummaries":[
                              {"property":"properties/123","displayName":"Shop"},
                              {"property":"properties/77","displayName":"Blog"}]}]})"));
        server.route(
            "GET", "/webmasters/v3/sites",
            LocalHttpServer::Response::json(
                200, R"({"siteEntry":[{"siteUrl":"sc-domain:example.com","permissionLevel":"siteOwner"}]})"));
        if (onPrivateKeyring())
            secrets = std::make_unique<SecretServiceCredentialStore>(
                QStringLiteral("com.zingboard.app.credentials.test-") +
                QUuid::createUuid().toString(QUuid::WithoutBraces));
        else
            secrets = std::make_unique<MemoryCredentialStore>();
        keychain = std::make_unique<KeychainStore>(*secrets);
        oauth = std::make_unique<GoogleOAuthManager>(http, clock, random, endpoints,
                                                     GoogleOAuthConfig{QStringLiteral("cid"), {}}, browser,
                                                     freePort());
        google = std::make_unique<GoogleIntegrationService>(http, *keychain, clock, endpoints, *oauth);
        state = std::make_unique<AppState>(dependencies(persistence, *keychain, clock));
        flow = std::make_unique<GoogleConnectFlow>(*state, *oauth, *google);
        session = std::make_unique<ConnectSession>(*state, flow.get());
    }
    void TearDown() override {
        m_panel.reset();
        session.reset();
        if (keychain) {
            for (const QString& account : CredentialAccounts::allAccounts())
                TestTasks::run(keychain->remove(account));
        }
    }
    GoogleConnectPanel& panel() {
        if (!m_panel) {
            m_panel = std::make_unique<GoogleConnectPanel>(*session, shell);
            m_panel->resize(360, 400);
            m_panel->show();
        }
        return *m_panel;
    }
    void closePanel() { m_panel.reset(); }
    // The sign-in hands its address to the browser a moment after its listener is up.
    void letTheBrowserOpen() { clock.advance(GoogleOAuthManager::browserDelay); }
    bool settled() {
        return QTest::qWaitFor(
            [this] { return !session->google().authorizing && !session->google().loading; }, 20000);
    }
    void signedInWithExpiredToken() {
        TestTasks::run(keychain->save(QStringLiteral("1//rt"), CredentialAccounts::googleRefreshToken()));
        TestTasks::run(keychain->save(QStringLiteral("old"), CredentialAccounts::googleAccessToken()));
        TestTasks::run(keychain->save(GoogleOAuthTokens::expiryText(clock.now().addSecs(-60)),
                                      CredentialAccounts::googleAccessTokenExpiresAt()));
        TestTasks::run(state->refreshGoogleSignIn());
    }

    LocalHttpServer::Response tokenAnswer = LocalHttpServer::Response::json(
        200, R"({"access_token":"at","refresh_token":"1//rt","expires_in":3600,"token_type":"Bearer"})");
    LocalHttpServer server;
    ServiceEndpoints endpoints;
    QtHttpClient http;
    CurlBrowser browser;
    FakeClock clock;
    MemoryPreferencesStore preferences;
    PersistenceManager persistence{preferences, clock};
    std::unique_ptr<CredentialStore> secrets;
    std::unique_ptr<KeychainStore> keychain;
    std::unique_ptr<GoogleOAuthManager> oauth;
    std::unique_ptr<GoogleIntegrationService> google;
    std::unique_ptr<AppState> state;
    std::unique_ptr<GoogleConnectFlow> flow;
    std::unique_ptr<ConnectSession> session;
    RecordingShellActions shell;

private:
    std::unique_ptr<GoogleConnectPanel> m_panel;
};

TEST_F(ConnectGoogleTest, SignInThroughTheBrowserThenPickAPropertyAndASite) {
    EXPECT_TRUE(panel().signedOutSection()->isVisible());
    QTest::mouseClick(panel().connectButton(), Qt::LeftButton);
    EXPECT_EQ(panel().connectButton()->text(), QStringLiteral("Opening browser\u2026"));
    EXPECT_FALSE(panel().connectButton()->isEnabled());
    // The sign-in goes on without the panel, and a panel opened later shows where it got to.
    closePanel();
    letTheBrowserOpen();
    ASSERT_TRUE(settled());
    ASSERT_EQ(browser.opened.size(), 1);
    EXPECT_EQ(session->google().errorMessage, std::nullopt);
    EXPECT_EQ(TestTasks::run(keychain->load(CredentialAccounts::googleRefreshToken())),
              QStringLiteral("1//rt"));
    ASSERT_TRUE(settled());
    EXPECT_TRUE(panel().signedInSection()->isVisible());
    ASSERT_TRUE(settled());
    EXPECT_EQ(panel().propertyPicker()->shownText(), QStringLiteral("Select a property"));
    EXPECT_EQ(panel().sitePicker()->shownText(), QStringLiteral("Select a site"));
    ASSERT_EQ(panel().propertyPicker()->menu()->count(), 2);
    EXPECT_FALSE(panel().badge() == nullptr);
    EXPECT_FALSE(panel().isConnected());

    // The user picks from the menu: the stored id has no "properties/".
    panel().propertyPicker()->menu()->activated(
        panel().propertyPicker()->menu()->findData(QStringLiteral("properties/123")));
    ASSERT_TRUE(QTest::qWaitFor([this] { return panel().isConnected(); }, 20000));
    EXPECT_EQ(state->settings().googleIntegration.gaPropertyId, QStringLiteral("123"));
    EXPECT_EQ(TestTasks::run(keychain->load(CredentialAccounts::ga4PropertyId())), QStringLiteral("123"));
    EXPECT_EQ(state->integration(IntegrationProvider::googleAnalytics).label, QStringLiteral("Shop"));
    EXPECT_EQ(persistence.decodeSettings()->googleIntegration.gaPropertyId, QStringLiteral("123"));
    EXPECT_EQ(panel().propertyPicker()->shownText(), QStringLiteral("Shop"));
    EXPECT_TRUE(panel().isConnected());

    panel().sitePicker()->menu()->activated(0);
    ASSERT_TRUE(QTest::qWaitFor(
        [this] { return state->integration(IntegrationProvider::googleSearchConsole).isConnected; }, 20000));
    EXPECT_EQ(state->settings().googleIntegration.gscSiteUrl, QStringLiteral("sc-domain:example.com"));
    EXPECT_TRUE(state->integration(IntegrationProvider::googleSearchConsole).isConnected);
    EXPECT_EQ(panel().sitePicker()->shownText(), QStringLiteral("sc-domain:example.com"));

    QTest::mouseClick(panel().disconnectButton(), Qt::LeftButton);
    ASSERT_TRUE(QTest::qWaitFor([this] { return panel().signedOutSection()->isVisible(); }, 20000));
    EXPECT_EQ(TestTasks::run(keychain->load(CredentialAccounts::googleRefreshToken())), std::nullopt);
    EXPECT_FALSE(state->integration(IntegrationProvider::googleAnalytics).isConnected);
}

TEST_F(ConnectGoogleTest, ACancelledSignInLeavesNoMessage) {
    browser.onOpen = [this] { oauth->cancelPendingSignIn(); };
    QTest::mouseClick(panel().connectButton(), Qt::LeftButton);
    letTheBrowserOpen();
    ASSERT_TRUE(settled());
    EXPECT_EQ(browser.opened.size(), 1) << panel().errorLabel()->text().toStdString();
    EXPECT_FALSE(panel().errorLabel()->isVisible());
    EXPECT_TRUE(panel().connectButton()->isEnabled());
    EXPECT_EQ(panel().connectButton()->text(), QStringLiteral("Connect with Google"));
}

TEST_F(ConnectGoogleTest, APanelOpenedBeforeTheSignInIsReadListsOnceItIs) {
    // As at launch with no service chosen yet: the token is stored, but the engine has not read the keyring.
    TestTasks::run(keychain->save(QStringLiteral("1//rt"), CredentialAccounts::googleRefreshToken()));
    EXPECT_TRUE(panel().signedOutSection()->isVisible());
    // The panel reads it itself, off this thread.
    ASSERT_TRUE(QTest::qWaitFor([this] { return panel().signedInSection()->isVisible(); }, 20000));
    ASSERT_TRUE(QTest::qWaitFor([this] { return panel().propertyPicker()->menu()->count() == 2; }, 20000));
    EXPECT_FALSE(panel().errorLabel()->isVisible()) << panel().errorLabel()->text().toStdString();
}

TEST_F(ConnectGoogleTest, ARefusedRefreshShowsTheSessionExpiredWarning) {
    signedInWithExpiredToken();
    tokenAnswer = LocalHttpServer::Response::json(
        400, R"({"error":"invalid_grant","error_description":"Bad Request"})");
    EXPECT_TRUE(panel().signedInSection()->isVisible());
    ASSERT_TRUE(settled());
    EXPECT_TRUE(panel().expiredLabel()->isVisible());
    EXPECT_TRUE(panel().errorLabel()->isVisible());
    EXPECT_FALSE(panel().loadingLabel()->isVisible());
    // Reconnecting clears the warning and lists again.
    tokenAnswer = LocalHttpServer::Response::json(
        200, R"({"access_token":"at2","refresh_token":"1//rt2","expires_in":3600,"token_type":"Bearer"})");
    QTest::mouseClick(panel().reconnectButton(), Qt::LeftButton);
    EXPECT_FALSE(panel().expiredLabel()->isVisible());
    letTheBrowserOpen();
    ASSERT_TRUE(settled());
    EXPECT_FALSE(panel().expiredLabel()->isVisible());
    EXPECT_EQ(panel().propertyPicker()->menu()->count(), 2);
}

TEST_F(ConnectGoogleTest, WithoutAClientTheHintNamesTheRealSettingAndLinksTheConsole) {
    ConnectSession unconfigured(*state, nullptr);
    GoogleConnectPanel hint(unconfigured, shell);
    hint.show();
    EXPECT_TRUE(hint.noClientSection()->isVisible());
    EXPECT_FALSE(hint.signedOutSection()->isVisible());
    EXPECT_TRUE(
        GoogleConnectPanel::noClientText().contains(QStringLiteral("ZINGBOARD_GOOGLE_OAUTH_CLIENT_ID")));
    EXPECT_FALSE(GoogleConnectPanel::noClientText().contains(QStringLiteral("project.yml")));
    hint.consoleLink()->link()->click();
    ASSERT_EQ(shell.calls.size(), 1);
    EXPECT_TRUE(shell.calls.first().endsWith(QStringLiteral("/apis/library")));
}

} // namespace
