#include "cli_sandbox.h"

#include "model/credential_accounts.h"
#include "model/persistence_manager.h"
#include "model/secret_service_credential_store.h"
#include "support/local_http_server.h"

#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

std::optional<QString> storedSecret(const QString& account) {
    SecretServiceCredentialStore store;
    const std::optional<QByteArray> bytes = store.load(account);
    if (!bytes)
        return std::nullopt;
    return QString::fromUtf8(*bytes);
}

IntegrationConnection storedConnection(const CliSandbox& sandbox, IntegrationProvider provider) {
    const auto list = PersistenceManager::integrationsFromBytes(
        sandbox.document(PersistenceManager::integrationsKey()).value_or(""));
    if (list) {
        for (const IntegrationConnection& c : *list) {
            if (c.provider == provider)
                return c;
        }
    }
    ADD_FAILURE() << "no stored record for " << IntegrationProviders::rawValue(provider).toStdString();
    return IntegrationConnection::disconnected(provider);
}

// The program writes the real Secret Service items, so these run only on the private keyring of the test
// runner (never on a developer's own). Each test owns its accounts and starts and ends without them; tests of
// the same accounts are one test, since test cases run side by side.
class ConnectCli : public ::testing::Test {
protected:
    void SetUp() override {
        if (!CliSandbox::onPrivateKeyring())
            GTEST_SKIP() << "needs the private keyring that scripts/run-tests.sh starts";
        clearAccounts();
    }
    void TearDown() override {
        if (CliSandbox::onPrivateKeyring())
            clearAccounts();
    }
    virtual QStringList accounts() const = 0;
    void clearAccounts() {
        SecretServiceCredentialStore store;
        for (const QString& account : accounts())
            store.remove(account);
    }
    static QByteArray bearer(const LocalHttpServer::RecordedRequest& request) {
        return request.header("Authorization");
    }
};

class ConnectStripeCli : public ConnectCli {
    QStringList accounts() const override { return {CredentialAccounts::stripeSecretKey()}; }
};

class ConnectDatafastCli : public ConnectCli {
    QStringList accounts() const override {
        return {CredentialAccounts::datafastApiKey(), CredentialAccounts::datafastWebsiteId()};
    }
};

TEST_F(ConnectStripeCli, KeyIsCheckedStoredAndKeptThroughAFailedReplacement) {
    LocalHttpServer server;
    server.route("GET", "/v1/balance", [](const LocalHttpServer::RecordedRequest& request) {
        return request.header("Authorization") == "Bearer sk_test_good"
                   ? LocalHttpServer::Response::json(200, R"({"object":"balance"})")
                   : LocalHttpServer::Response::json(401, R"({"error":{"message":"Invalid API Key"}})");
    });
    CliSandbox sandbox;
    sandbox.setEnv(QStringLiteral("ZINGBOARD_STRIPE_API_BASE"), server.baseUrl());
    const QStringList connect = {QStringLiteral("connect"), QStringLiteral("stripe")};

    // Surrounding blanks are not part of the key.
    const CliSandbox::Result first = sandbox.run(connect, "  sk_test_good \n");
    ASSERT_TRUE(first.finished);
    EXPECT_EQ(first.exitCode, 0) << first.err.toStdString();
    ASSERT_EQ(server.requestsTo("/v1/balance").size(), 1);
    EXPECT_EQ(bearer(server.requestsTo("/v1/balance").first()), "Bearer sk_test_good");
    EXPECT_EQ(storedSecret(CredentialAccounts::stripeSecretKey()), QStringLiteral("sk_test_good"));
    const IntegrationConnection connected = storedConnection(sandbox, IntegrationProvider::stripe);
    EXPECT_TRUE(connected.isConnected);
    EXPECT_EQ(connected.label, QStringLiteral("Stripe connected"));

    // Status shows the connection, never the key, in either form.
    for (const QStringList& arguments : {QStringList{QStringLiteral("status")},
                                         QStringList{QStringLiteral("status"), QStringLiteral("--json")}}) {
        const CliSandbox::Result status = sandbox.run(arguments);
        EXPECT_EQ(status.exitCode, 0);
        EXPECT_FALSE(status.out.contains("sk_test")) << status.out.toStdString();
        EXPECT_TRUE(status.out.contains("Stripe connected")) << status.out.toStdString();
    }

    // The next poll uses the stored key; the fake has no charges listing, so the poll fails: status 1, the
    // error in the document and once on standard error.
    const CliSandbox::Result poll = sandbox.run({QStringLiteral("headless"), QStringLiteral("--once"),
                                                 QStringLiteral("--json"), QStringLiteral("--mute")});
    ASSERT_TRUE(poll.finished);
    EXPECT_EQ(poll.exitCode, 1);
    const QJsonObject document = QJsonDocument::fromJson(poll.out).object();
    EXPECT_TRUE(document.value(QStringLiteral("lastError")).toString().startsWith(QStringLiteral("Stripe: ")))
        << poll.out.toStdString();
    EXPECT_EQ(poll.err.count("zingboard: Stripe: "), 1) << poll.err.toStdString();
    ASSERT_FALSE(server.requestsTo("/v1/charges").isEmpty());
    EXPECT_EQ(bearer(server.requestsTo("/v1/charges").first()), "Bearer sk_test_good");

    // A rejected replacement: status 1, the service's refusal, and the working key is back in place.
    const struct {
        const char* input;
        const char* error;
        qsizetype requestsAfter;
    } failures[] = {
        {"sk_test_wrong\n", "Stripe rejected that key. Check permissions and try again.", 2},
        {"pk_live_public\n", "Stripe key should start with sk_ or rk_", 2},
        {"", "Stripe key should start with sk_ or rk_", 2},
    };
    for (const auto& f : failures) {
        const CliSandbox::Result failed = sandbox.run(connect, f.input);
        ASSERT_TRUE(failed.finished);
        EXPECT_EQ(failed.exitCode, 1) << f.input;
        EXPECT_TRUE(failed.err.contains(f.error)) << failed.err.toStdString();
        EXPECT_EQ(server.requestsTo("/v1/balance").size(), f.requestsAfter) << f.input;
        EXPECT_EQ(storedSecret(CredentialAccounts::stripeSecretKey()), QStringLiteral("sk_test_good"))
            << f.input;
        EXPECT_TRUE(storedConnection(sandbox, IntegrationProvider::stripe).isConnected) << f.input;
    }

    // Disconnecting forgets the key and the connection.
    const CliSandbox::Result disconnect =
        sandbox.run({QStringLiteral("disconnect"), QStringLiteral("stripe")});
    EXPECT_EQ(disconnect.exitCode, 0);
    EXPECT_EQ(storedSecret(CredentialAccounts::stripeSecretKey()), std::nullopt);
    EXPECT_FALSE(storedConnection(sandbox, IntegrationProvider::stripe).isConnected);

    // A failed first connection leaves no key behind.
    const CliSandbox::Result firstFailure = sandbox.run(connect, "sk_test_wrong\n");
    EXPECT_EQ(firstFailure.exitCode, 1);
    EXPECT_EQ(server.requestsTo("/v1/balance").size(), 3);
    EXPECT_EQ(storedSecret(CredentialAccounts::stripeSecretKey()), std::nullopt);
    EXPECT_FALSE(storedConnection(sandbox, IntegrationProvider::stripe).isConnected);
}

TEST_F(ConnectDatafastCli, ReadsKeyThenWebsiteId) {
    LocalHttpServer server;
    server.setFallback([](const LocalHttpServer::RecordedRequest& request) {
        const bool good = request.header("Authorization") == "Bearer df_good" &&
                          request.rawPath == "/api/v1/websites/site%2F1/stats";
        return LocalHttpServer::Response::json(good ? 200 : 401, "{}");
    });
    CliSandbox sandbox;
    sandbox.setEnv(QStringLiteral("ZINGBOARD_DATAFAST_API_BASE"), server.baseUrl());
    const QStringList connect = {QStringLiteral("connect"), QStringLiteral("datafast")};

    const CliSandbox::Result ok = sandbox.run(connect, "df_good\n site/1 \n");
    EXPECT_EQ(ok.exitCode, 0) << ok.err.toStdString();
    EXPECT_EQ(storedSecret(CredentialAccounts::datafastApiKey()), QStringLiteral("df_good"));
    EXPECT_EQ(storedSecret(CredentialAccounts::datafastWebsiteId()), QStringLiteral("site/1"));
    EXPECT_EQ(storedConnection(sandbox, IntegrationProvider::datafast).label, QStringLiteral("site/1"));

    const CliSandbox::Result missingSite = sandbox.run(connect, "df_other\n");
    EXPECT_EQ(missingSite.exitCode, 1);
    EXPECT_TRUE(missingSite.err.contains("Website ID is required.")) << missingSite.err.toStdString();
    EXPECT_EQ(storedSecret(CredentialAccounts::datafastApiKey()), QStringLiteral("df_good"));
    EXPECT_EQ(storedSecret(CredentialAccounts::datafastWebsiteId()), QStringLiteral("site/1"));
}

} // namespace
