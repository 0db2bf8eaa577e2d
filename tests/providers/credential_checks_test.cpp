#include "engine/provider_credential_validator.h"
#include "providers/integration_validator.h"

#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "net/qt_http_client.h"
#include "net/service_endpoints.h"
#include "net/transport_error.h"
#include "providers/provider_error.h"
#include "support/local_http_server.h"
#include "support/memory_credential_store.h"
#include "support/run_task.h"
#include "support/scripted_http_client.h"

#include <gtest/gtest.h>
#include <optional>

using namespace std::chrono_literals;

namespace {

const QString stripeShape = QStringLiteral("Stripe key should start with sk_ or rk_");
const QString stripeRejected = QStringLiteral("Stripe rejected that key. Check permissions and try again.");
const QString datafastShape = QStringLiteral("Datafast API key should start with df_");
const QString websiteRequired = QStringLiteral("Website ID is required.");
const QString datafastRejected = QStringLiteral("Datafast rejected that key or website ID.");
const QString unexpected = QStringLiteral("Unexpected API response.");

// The description a check failed with, or nullopt when it passed. Only the error types a check may raise are
// caught, so anything else fails the test.
std::optional<QString> failureOf(QCoro::Task<void> task) {
    try {
        TestTasks::run(std::move(task));
        return std::nullopt;
    } catch (const ProviderError& error) {
        return error.description();
    } catch (const TransportError& error) {
        return QStringLiteral("transport: ") + error.description();
    }
}

// What the service answers; nullopt sends no answer because no request is expected.
struct Answer {
    enum class Kind { none, status, transport } kind = Kind::none;
    int status = 0;

    static Answer nothing() { return {}; }
    static Answer withStatus(int status) { return {Kind::status, status}; }
    static Answer transportFailure() { return {Kind::transport, 0}; }

    void script(ScriptedHttpClient& http) const {
        if (kind == Kind::status)
            http.enqueue(status, R"({"object":"balance"})");
        else if (kind == Kind::transport)
            http.enqueueTransportError(QStringLiteral("Connection refused"));
    }
};

class CredentialChecksTest : public ::testing::Test {
protected:
    CredentialChecksTest() {
        endpoints.stripeApiBase = QStringLiteral("https://stripe.test");
        endpoints.datafastApiBase = QStringLiteral("https://datafast.test");
    }

    ServiceEndpoints endpoints;
    ScriptedHttpClient http;
    IntegrationValidator validator{http, endpoints};
};

TEST_F(CredentialChecksTest, StripeChecks) {
    const struct {
        const char* key;
        Answer answer;
        std::optional<QString> failure;
        QByteArray sentKey; // empty when nothing may be sent
    } cases[] = {
        {"sk_test_4eC39HqLyjWDarjtT1zdp7dc\n", Answer::withStatus(200), std::nullopt,
         "sk_test_4eC39HqLyjWDarjtT1zdp7dc"},
        {" \t rk_live_51Habc\r\n", Answer::withStatus(200), std::nullopt, "rk_live_51Habc"},
        {"sk_live_x", Answer::withStatus(302), std::nullopt, "sk_live_x"},
        {"sk_live_x", Answer::withStatus(399), std::nullopt, "sk_live_x"},
        {"pk_live_51Habc", Answer::nothing(), stripeShape, {}},
        {"", Answer::nothing(), stripeShape, {}},
        {"  \n", Answer::nothing(), stripeShape, {}},
        {"SK_live_upper", Answer::nothing(), stripeShape, {}},
        {"sk-live-dashes", Answer::nothing(), stripeShape, {}},
        {"whsec_sk_x", Answer::nothing(), stripeShape, {}},
        {"sk_live_revoked", Answer::withStatus(401), stripeRejected, "sk_live_revoked"},
        {"rk_live_too_narrow", Answer::withStatus(403), stripeRejected, "rk_live_too_narrow"},
        {"sk_live_x", Answer::withStatus(400), stripeRejected, "sk_live_x"},
        {"sk_live_x", Answer::withStatus(500), stripeRejected, "sk_live_x"},
        {"sk_live_x", Answer::withStatus(0), unexpected, "sk_live_x"},
        {"sk_live_x", Answer::transportFailure(), QStringLiteral("transport: Connection refused"),
         "sk_live_x"},
    };
    for (const auto& c : cases) {
        http.clearRequests();
        c.answer.script(http);
        EXPECT_EQ(failureOf(validator.validateStripe(QString::fromUtf8(c.key))), c.failure) << c.key;
        if (c.sentKey.isEmpty()) {
            EXPECT_TRUE(http.requests().isEmpty()) << c.key;
            continue;
        }
        ASSERT_EQ(http.requests().size(), 1) << c.key;
        const HttpRequest& request = http.lastRequest();
        EXPECT_EQ(request.method, QByteArray("GET"));
        EXPECT_EQ(request.url.toEncoded(), QByteArray("https://stripe.test/v1/balance"));
        EXPECT_EQ(request.header("Authorization"), "Bearer " + c.sentKey) << c.key;
        EXPECT_EQ(request.header("Stripe-Version"), QByteArray("2024-06-20"));
        EXPECT_EQ(request.timeout, 60s);
    }
}

TEST_F(CredentialChecksTest, DatafastChecksInOrder) {
    const struct {
        const char* key;
        const char* websiteId;
        Answer answer;
        std::optional<QString> failure;
        QByteArray sentUrl; // empty when nothing may be sent
    } cases[] = {
        // The key's shape is reported first, even when the website id is missing too.
        {"pk_abc", "", Answer::nothing(), datafastShape, {}},
        {"", "", Answer::nothing(), datafastShape, {}},
        {"DF_abc", "site_1", Answer::nothing(), datafastShape, {}},
        {"df_abc", "", Answer::nothing(), websiteRequired, {}},
        {" df_abc\n", " \t\r\n ", Answer::nothing(), websiteRequired, {}},
        {"\tdf_abc \n", " site_1\n", Answer::withStatus(200), std::nullopt,
         "https://datafast.test/api/v1/websites/site_1/stats?period=today"},
        {"df_abc", "team site/#2", Answer::withStatus(200), std::nullopt,
         "https://datafast.test/api/v1/websites/team%20site%2F%232/stats?period=today"},
        {"df_abc", "site_1", Answer::withStatus(401), datafastRejected,
         "https://datafast.test/api/v1/websites/site_1/stats?period=today"},
        {"df_abc", "unknown", Answer::withStatus(404), datafastRejected,
         "https://datafast.test/api/v1/websites/unknown/stats?period=today"},
        {"df_abc", "site_1", Answer::withStatus(0), unexpected,
         "https://datafast.test/api/v1/websites/site_1/stats?period=today"},
        {"df_abc", "site_1", Answer::transportFailure(), QStringLiteral("transport: Connection refused"),
         "https://datafast.test/api/v1/websites/site_1/stats?period=today"},
        // A dot-only id would address another path: nothing is sent.
        {"df_abc", " .. ", Answer::nothing(), unexpected, {}},
    };
    for (const auto& c : cases) {
        http.clearRequests();
        c.answer.script(http);
        EXPECT_EQ(
            failureOf(validator.validateDatafast(QString::fromUtf8(c.key), QString::fromUtf8(c.websiteId))),
            c.failure)
            << c.key << " / " << c.websiteId;
        if (c.sentUrl.isEmpty()) {
            EXPECT_TRUE(http.requests().isEmpty()) << c.key << " / " << c.websiteId;
            continue;
        }
        ASSERT_EQ(http.requests().size(), 1);
        EXPECT_EQ(http.lastRequest().url.toEncoded(), c.sentUrl);
        EXPECT_EQ(http.lastRequest().header("Authorization"), QByteArray("Bearer df_abc"));
        EXPECT_EQ(http.lastRequest().timeout, 60s);
    }
}

TEST_F(CredentialChecksTest, EngineCheckUsesTheStoredCredentials) {
    const struct {
        const char* name;
        IntegrationProvider provider;
        QMap<QString, QByteArray> stored;
        Answer answer;
        std::optional<QString> failure;
        QByteArray sentAuthorization; // empty when nothing may be sent
    } cases[] = {
        {"stripe key",
         IntegrationProvider::stripe,
         {{CredentialAccounts::stripeSecretKey(), "sk_live_1\n"}},
         Answer::withStatus(200),
         std::nullopt,
         "Bearer sk_live_1"},
        {"stripe rejected",
         IntegrationProvider::stripe,
         {{CredentialAccounts::stripeSecretKey(), "sk_live_1"}},
         Answer::withStatus(401),
         stripeRejected,
         "Bearer sk_live_1"},
        {"stripe nothing stored", IntegrationProvider::stripe, {}, Answer::nothing(), stripeShape, {}},
        {"datafast both",
         IntegrationProvider::datafast,
         {{CredentialAccounts::datafastApiKey(), "df_1"}, {CredentialAccounts::datafastWebsiteId(), "site"}},
         Answer::withStatus(200),
         std::nullopt,
         "Bearer df_1"},
        {"datafast key only",
         IntegrationProvider::datafast,
         {{CredentialAccounts::datafastApiKey(), "df_1"}},
         Answer::nothing(),
         websiteRequired,
         {}},
        {"datafast id only",
         IntegrationProvider::datafast,
         {{CredentialAccounts::datafastWebsiteId(), "site"}},
         Answer::nothing(),
         datafastShape,
         {}},
        // The Stripe key must not stand in for Datafast's, nor the other way round.
        {"datafast with a stripe key stored",
         IntegrationProvider::datafast,
         {{CredentialAccounts::stripeSecretKey(), "sk_live_1"},
          {CredentialAccounts::datafastWebsiteId(), "site"}},
         Answer::nothing(),
         datafastShape,
         {}},
        {"google analytics", IntegrationProvider::googleAnalytics, {}, Answer::nothing(), std::nullopt, {}},
        {"search console", IntegrationProvider::googleSearchConsole, {}, Answer::nothing(), std::nullopt, {}},
        {"demo", IntegrationProvider::demo, {}, Answer::nothing(), std::nullopt, {}},
    };
    for (const auto& c : cases) {
        MemoryCredentialStore caseStore;
        for (auto it = c.stored.begin(); it != c.stored.end(); ++it)
            caseStore.put(it.key(), it.value());
        KeychainStore caseKeychain(caseStore);
        ProviderCredentialValidator caseChecks(http, caseKeychain, endpoints);
        http.clearRequests();
        c.answer.script(http);
        EXPECT_EQ(failureOf(caseChecks.validate(c.provider)), c.failure) << c.name;
        if (c.sentAuthorization.isEmpty()) {
            EXPECT_TRUE(http.requests().isEmpty()) << c.name;
        } else {
            ASSERT_EQ(http.requests().size(), 1) << c.name;
            EXPECT_EQ(http.lastRequest().header("Authorization"), c.sentAuthorization) << c.name;
        }
        // A check only reads: it never stores or deletes a credential.
        for (const QString& call : caseStore.calls())
            EXPECT_TRUE(call.startsWith(QStringLiteral("load:"))) << c.name << ": " << call.toStdString();
    }
}

TEST(IntegrationValidatorOnRealServer, BothChecksOverHttp) {
    LocalHttpServer server;
    QtHttpClient client;
    ServiceEndpoints endpoints;
    endpoints.stripeApiBase = server.baseUrl();
    endpoints.datafastApiBase = server.baseUrl();
    IntegrationValidator validator(client, endpoints);

    server.route("GET", "/v1/balance", [](const LocalHttpServer::RecordedRequest& request) {
        return request.header("Authorization") == "Bearer rk_live_ok"
                   ? LocalHttpServer::Response::json(200, R"({"object":"balance","available":[]})")
                   : LocalHttpServer::Response::json(401, R"({"error":{"type":"invalid_request_error"}})");
    });
    server.route("GET", "/api/v1/websites/site%20one/stats",
                 LocalHttpServer::Response::json(200, R"({"visitors":3})"));

    EXPECT_EQ(failureOf(validator.validateStripe(QStringLiteral("rk_live_ok\n"))), std::nullopt);
    EXPECT_EQ(failureOf(validator.validateStripe(QStringLiteral("sk_live_wrong"))), stripeRejected);
    EXPECT_EQ(failureOf(validator.validateDatafast(QStringLiteral("df_k"), QStringLiteral(" site one "))),
              std::nullopt);
    EXPECT_EQ(failureOf(validator.validateDatafast(QStringLiteral("df_k"), QStringLiteral("other"))),
              datafastRejected);

    ASSERT_EQ(server.requests().size(), 4);
    EXPECT_EQ(server.requests()[0].header("Stripe-Version"), QByteArray("2024-06-20"));
    EXPECT_EQ(server.requests()[2].path, QStringLiteral("/api/v1/websites/site one/stats"));
    EXPECT_EQ(server.requests()[2].rawQuery, QByteArray("period=today"));
    EXPECT_EQ(server.requests()[2].header("Authorization"), QByteArray("Bearer df_k"));

    server.close();
    const std::optional<QString> refused = failureOf(validator.validateStripe(QStringLiteral("sk_live_x")));
    ASSERT_TRUE(refused.has_value());
    EXPECT_TRUE(refused->startsWith(QStringLiteral("transport: "))) << refused->toStdString();
}

} // namespace
