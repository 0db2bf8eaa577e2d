#include "app/screens/connect/connect_session.h"
#include "app/screens/connect/connected_actions.h"
#include "app/screens/connect/integrations_view.h"
#include "app/screens/connect/stripe_connect_panel.h"
#include "engine/app_state.h"
#include "engine/provider_credential_validator.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "model/persistence_manager.h"
#include "model/secret_service_credential_store.h"
#include "net/qt_http_client.h"
#include "net/service_endpoints.h"
#include "support/fake_clock.h"
#include "support/fake_engine_parts.h"
#include "support/local_http_server.h"
#include "support/memory_preferences_store.h"
#include "support/recording_shell_actions.h"

#include "support/run_task.h"
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QUuid>
#include <gtest/gtest.h>

namespace {

// The Connect tab on the real key check, the real HTTP stack against a server on 127.0.0.1 and the real
// Secret Service. Runs only on the private keyring of scripts/run-tests.sh, under a service of its own.
class ConnectKeyringTest : public ::testing::Test, protected FakeEngineParts {
protected:
    void SetUp() override {
        if (!qEnvironmentVariableIsSet("ZINGBOARD_TEST_SCRATCH") ||
            !qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS"))
            GTEST_SKIP() << "needs the private keyring that scripts/run-tests.sh starts";
        endpoints.stripeApiBase = server.baseUrl();
        server.route("GET", "/v1/balance", [](const LocalHttpServer::RecordedRequest& request) {
            return request.header("Authorization") == "Bearer sk_test_good"
                       ? LocalHttpServer::Response::json(200, R"({"object":"balance"})")
                       : LocalHttpServer::Response::json(401, R"({"error":{"message":"Invalid API Key"}})");
        });
        m_state = std::make_unique<AppState>(AppStateDependencies{persistence, keychain, demo, stripe, ga,
                                                                  datafast, gsc, clock, random, sound,
                                                                  realValidator, revoker});
        m_session = std::make_unique<ConnectSession>(*m_state);
        m_view = std::make_unique<IntegrationsView>(*m_session, shell);
        m_view->resize(380, 900);
        m_view->show();
    }
    void TearDown() override {
        m_view.reset();
        m_session.reset();
        m_state.reset();
        for (const QString& account : CredentialAccounts::allAccounts())
            secrets.remove(account);
    }
    StripeConnectPanel& panel() { return *m_view->stripePanel(); }
    // Types `key` and clicks the button, then lets the check run to its end.
    void connectWith(const QString& key) {
        panel().keyField()->setFocus();
        panel().keyField()->selectAll();
        QTest::keyClicks(panel().keyField(), key);
        QTest::mouseClick(panel().submitButton(), Qt::LeftButton);
        EXPECT_TRUE(QTest::qWaitFor(
            [this] { return !m_session->keyConnect(IntegrationProvider::stripe).busy; }, 20000));
    }
    std::optional<QString> storedKey() {
        return TestTasks::run(keychain.load(CredentialAccounts::stripeSecretKey()));
    }
    bool connected() const { return m_state->integration(IntegrationProvider::stripe).isConnected; }

    LocalHttpServer server;
    ServiceEndpoints endpoints;
    QtHttpClient http;
    FakeClock clock;
    MemoryPreferencesStore preferences;
    PersistenceManager persistence{preferences, clock};
    SecretServiceCredentialStore secrets{QStringLiteral("com.zingboard.app.credentials.test-") +
                                         QUuid::createUuid().toString(QUuid::WithoutBraces)};
    KeychainStore keychain{secrets};
    ProviderCredentialValidator realValidator{http, keychain, endpoints};
    RecordingShellActions shell;
    std::unique_ptr<AppState> m_state;
    std::unique_ptr<ConnectSession> m_session;
    std::unique_ptr<IntegrationsView> m_view;
};

TEST_F(ConnectKeyringTest, ConnectReplaceWithAWrongKeyThenDisconnect) {
    connectWith(QStringLiteral("  sk_test_good \t"));
    ASSERT_TRUE(connected());
    EXPECT_EQ(storedKey(), QStringLiteral("sk_test_good"));
    ASSERT_EQ(server.requestsTo("/v1/balance").size(), 1);
    EXPECT_EQ(server.requestsTo("/v1/balance").first().header("Authorization"), "Bearer sk_test_good");
    EXPECT_TRUE(panel().connectedActions()->isVisible());

    QTest::mouseClick(panel().connectedActions()->replaceButton(), Qt::LeftButton);
    connectWith(QStringLiteral("sk_test_wrong"));
    EXPECT_EQ(panel().errorLabel()->text(),
              QStringLiteral("Stripe rejected that key. Check permissions and try again."));
    EXPECT_EQ(storedKey(), QStringLiteral("sk_test_good"));
    EXPECT_TRUE(connected());

    // A key of the wrong shape is refused before any request.
    connectWith(QStringLiteral("pk_test_public"));
    EXPECT_EQ(panel().errorLabel()->text(), QStringLiteral("Stripe key should start with sk_ or rk_"));
    EXPECT_EQ(server.requestsTo("/v1/balance").size(), 2);

    QTest::keyClick(panel().keyField(), Qt::Key_Escape);
    QTest::mouseClick(panel().connectedActions()->disconnectButton(), Qt::LeftButton);
    EXPECT_FALSE(connected());
    EXPECT_EQ(storedKey(), std::nullopt);
    EXPECT_TRUE(panel().keyField()->isVisible());
}

} // namespace
