#include "providers/datafast/datafast_provider.h"

#include "engine/metric_event_detector.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "net/qt_http_client.h"
#include "net/service_endpoints.h"
#include "net/transport_error.h"
#include "providers/decoding_error.h"
#include "providers/provider_error.h"
#include "support/fake_clock.h"
#include "support/local_http_server.h"
#include "support/memory_credential_store.h"
#include "support/run_task.h"
#include "support/scripted_http_client.h"

#include <gtest/gtest.h>

using namespace std::chrono_literals;

namespace {

const QByteArray fullBody =
    R"({"sessions":1834,"visitors":1290,"revenue":249.5,"goals":17,"bounce_rate":41.2})";

// How a call ended: the error's type and description, or "ok".
struct Outcome {
    QString kind;
    QString description;
    bool operator==(const Outcome&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Outcome& outcome) {
    return out << outcome.kind.toStdString() << ": " << outcome.description.toStdString();
}

template <typename T> Outcome outcomeOf(QCoro::Task<T> task) {
    try {
        TestTasks::run(std::move(task));
        return {QStringLiteral("ok"), {}};
    } catch (const ProviderError& error) {
        return {QStringLiteral("ProviderError"), error.description()};
    } catch (const TransportError& error) {
        return {QStringLiteral("TransportError"), error.description()};
    } catch (const DecodingError& error) {
        return {QStringLiteral("DecodingError"), error.description()};
    }
}

class DatafastProviderTest : public ::testing::Test {
protected:
    DatafastProviderTest() { endpoints.datafastApiBase = QStringLiteral("https://datafast.test"); }

    void storeCredentials(std::optional<QByteArray> key, std::optional<QByteArray> websiteId) {
        if (key)
            store.put(CredentialAccounts::datafastApiKey(), *key);
        if (websiteId)
            store.put(CredentialAccounts::datafastWebsiteId(), *websiteId);
    }

    MemoryCredentialStore store;
    KeychainStore keychain{store};
    FakeClock clock;
    ServiceEndpoints endpoints;
    ScriptedHttpClient http;
    DatafastProvider provider{http, keychain, clock, endpoints};
};

TEST_F(DatafastProviderTest, MissingCredentialsSendNothing) {
    const struct {
        const char* name;
        std::optional<QByteArray> key;
        std::optional<QByteArray> websiteId;
    } cases[] = {
        {"neither", std::nullopt, std::nullopt},
        {"no key", std::nullopt, "site_1"},
        {"empty key", "", "site_1"},
        {"no website id", "df_key", std::nullopt},
        {"empty website id", "df_key", ""},
        {"blank key", " \r\n", "site_1"},
        {"blank website id", "df_key", "\t \n"},
    };
    for (const auto& c : cases) {
        MemoryCredentialStore caseStore;
        KeychainStore caseKeychain(caseStore);
        if (c.key)
            caseStore.put(CredentialAccounts::datafastApiKey(), *c.key);
        if (c.websiteId)
            caseStore.put(CredentialAccounts::datafastWebsiteId(), *c.websiteId);
        DatafastProvider caseProvider(http, caseKeychain, clock, endpoints);
        EXPECT_EQ(outcomeOf(caseProvider.fetchMetrics()),
                  (Outcome{QStringLiteral("ProviderError"), QStringLiteral("Integration not configured.")}))
            << c.name;
    }
    EXPECT_TRUE(http.requests().isEmpty());
}

TEST_F(DatafastProviderTest, FailedAnswersFail) {
    storeCredentials("df_key", "site_1");
    const Outcome apiError{QStringLiteral("ProviderError"), QStringLiteral("Datafast API error")};
    const struct {
        const char* name;
        std::function<void()> script;
        Outcome expected;
    } cases[] = {
        {"401 with a JSON error body", [&] { http.enqueue(401, R"({"error":"Invalid API key"})"); },
         apiError},
        {"404", [&] { http.enqueue(404, "Not found"); }, apiError},
        {"400, the lowest failing status", [&] { http.enqueue(400, fullBody); }, apiError},
        {"500", [&] { http.enqueue(500, "<html>oops</html>"); }, apiError},
        {"no HTTP status", [&] { http.enqueue(0, fullBody); }, apiError},
        {"refused connection",
         [&] { http.enqueueTransportError(QStringLiteral("Connection refused")); },
         {QStringLiteral("TransportError"), QStringLiteral("Connection refused")}},
        {"time-out",
         [&] { http.enqueueTransportError(QStringLiteral("The request timed out.")); },
         {QStringLiteral("TransportError"), QStringLiteral("The request timed out.")}},
    };
    for (const auto& c : cases) {
        c.script();
        EXPECT_EQ(outcomeOf(provider.fetchMetrics()), c.expected) << c.name;
    }
    EXPECT_EQ(http.requests().size(), int(std::size(cases)));
}

TEST_F(DatafastProviderTest, AnswersThatAreNotJsonFailWithTheirReason) {
    storeCredentials("df_key", "site_1");
    for (const QByteArray& body : {QByteArray("<!DOCTYPE html><html><body>Maintenance</body></html>"),
                                   QByteArray(), QByteArray("{\"visitors\": 12")}) {
        http.enqueue(200, body, {{"Content-Type", "text/html"}});
        const Outcome outcome = outcomeOf(provider.fetchMetrics());
        EXPECT_EQ(outcome.kind, QStringLiteral("DecodingError")) << body.constData();
        EXPECT_TRUE(outcome.description.startsWith(QStringLiteral("The statistics answer is not valid JSON")))
            << outcome;
    }
}

TEST_F(DatafastProviderTest, RequestShape) {
    // Blanks and line breaks around stored credentials (a key set by hand) are not sent, as the key check
    // does not count them either.
    storeCredentials("df_live_abc \n", "\tsite_1 \n");
    http.enqueue(200, fullBody);
    TestTasks::run(provider.fetchMetrics());
    ASSERT_EQ(http.requests().size(), 1);
    const HttpRequest& request = http.lastRequest();
    EXPECT_EQ(request.method, QByteArray("GET"));
    EXPECT_EQ(request.url.toEncoded(),
              QByteArray("https://datafast.test/api/v1/websites/site_1/stats?period=today"));
    EXPECT_EQ(request.header("Authorization"), QByteArray("Bearer df_live_abc"));
    EXPECT_EQ(request.timeout, 60s);
}

TEST_F(DatafastProviderTest, WebsiteIdIsOnePathSegment) {
    const struct {
        const char* websiteId;
        const char* encodedSegment;
    } cases[] = {
        {"site/../../v2/admin", "site%2F..%2F..%2Fv2%2Fadmin"},
        {"site?period=year&x=", "site%3Fperiod%3Dyear%26x%3D"},
        {"site#fragment", "site%23fragment"},
        {" my site ", "my%20site"}, // outer blanks are not part of the id
        {"caf\u00e9-\u65e5\u672c", "caf%C3%A9-%E6%97%A5%E6%9C%AC"},
        {"100%", "100%25"},
        {"...", "..."},
    };
    for (const auto& c : cases) {
        store.put(CredentialAccounts::datafastApiKey(), "df_key");
        store.put(CredentialAccounts::datafastWebsiteId(), QByteArray(c.websiteId));
        http.enqueue(200, fullBody);
        TestTasks::run(provider.fetchMetrics());
        EXPECT_EQ(http.lastRequest().url.toEncoded().toStdString(), "https://datafast.test/api/v1/websites/" +
                                                                        std::string(c.encodedSegment) +
                                                                        "/stats?period=today")
            << c.websiteId;
    }
}

// "." and ".." cannot be one segment: the request would reach another path, so nothing is sent.
TEST_F(DatafastProviderTest, DotOnlyWebsiteIdIsNotSent) {
    store.put(CredentialAccounts::datafastApiKey(), "df_key");
    for (const QByteArray& id : {QByteArray("."), QByteArray("..")}) {
        store.put(CredentialAccounts::datafastWebsiteId(), id);
        EXPECT_EQ(outcomeOf(provider.fetchMetrics()),
                  (Outcome{QStringLiteral("ProviderError"), QStringLiteral("Unexpected API response.")}))
            << id.constData();
    }
    EXPECT_TRUE(http.requests().isEmpty());
}

TEST_F(DatafastProviderTest, SnapshotHoldsWhatTheServiceReported) {
    storeCredentials("df_key", "site_1");
    http.enqueue(200, R"({"visitors":40,"revenue":"12","goals":3})");
    const MetricSnapshot snapshot = TestTasks::run(provider.fetchMetrics());
    EXPECT_EQ(snapshot.provider, IntegrationProvider::datafast);
    EXPECT_EQ(snapshot.fetchedAt, clock.now());
    EXPECT_EQ(snapshot.values, (QHash<MetricKind, double>{{MetricKind::datafastVisitors, 40},
                                                          {MetricKind::visitorsToday, 40},
                                                          {MetricKind::datafastGoals, 3},
                                                          {MetricKind::goalCompletionsToday, 3}}));
    EXPECT_EQ(snapshot.displaySummary, QStringLiteral("40 visitors"));
}

TEST_F(DatafastProviderTest, UnchangedServiceGivesUnchangedSnapshots) {
    storeCredentials("df_key", "site_1");
    http.setHandler([](const HttpRequest&) { return HttpResponse{200, {}, fullBody}; });
    const MetricSnapshot first = TestTasks::run(provider.fetchMetrics());
    clock.advance(30s);
    const MetricSnapshot second = TestTasks::run(provider.fetchMetrics());
    EXPECT_EQ(second.values, first.values);
    EXPECT_EQ(second.displaySummary, first.displaySummary);
    EXPECT_EQ(second.values.value(MetricKind::datafastRevenue), 249.5);
    EXPECT_TRUE(MetricEventDetector::detect(first, second, clock.now()).isEmpty());
}

TEST_F(DatafastProviderTest, FetchEventsIsEmptyWithoutRequest) {
    EXPECT_TRUE(TestTasks::run(provider.fetchEvents(clock.now().addSecs(-120))).isEmpty());
    storeCredentials("df_key", "site_1");
    EXPECT_TRUE(TestTasks::run(provider.fetchEvents(QDateTime())).isEmpty());
    EXPECT_TRUE(http.requests().isEmpty());
    EXPECT_EQ(provider.provider(), IntegrationProvider::datafast);
}

// The real network stack caps the time-out so that a silent server fails quickly; the provider's own
// request still asks for the full minute.
class ShortTimeoutClient final : public HttpClient {
public:
    explicit ShortTimeoutClient(HttpClient& inner) : m_inner(inner) {}
    QCoro::Task<HttpResponse> send(HttpRequest request) override {
        requestedTimeouts.append(request.timeout);
        request.timeout = 300ms;
        co_return co_await m_inner.send(std::move(request));
    }
    QList<std::chrono::milliseconds> requestedTimeouts;

private:
    HttpClient& m_inner;
};

class DatafastProviderOnRealServer : public DatafastProviderTest {
protected:
    DatafastProviderOnRealServer() { endpoints.datafastApiBase = server.baseUrl(); }

    LocalHttpServer server;
    QtHttpClient qtClient;
    ShortTimeoutClient shortTimeouts{qtClient};
    DatafastProvider realProvider{shortTimeouts, keychain, clock, endpoints};
};

TEST_F(DatafastProviderOnRealServer, ReadsStatisticsOverHttp) {
    storeCredentials("df_live_9f8e", "team site/2");
    server.route("GET", "/api/v1/websites/team%20site%2F2/stats",
                 LocalHttpServer::Response::json(200, fullBody));
    const MetricSnapshot snapshot = TestTasks::run(realProvider.fetchMetrics());
    EXPECT_EQ(snapshot.values.value(MetricKind::datafastSessions), 1834);
    EXPECT_EQ(snapshot.values.value(MetricKind::pageviewsToday), 1834 * 2.1);
    EXPECT_EQ(snapshot.displaySummary, QString::fromUtf8("1290 visitors \u00B7 $250 revenue"));

    ASSERT_EQ(server.requests().size(), 1);
    const LocalHttpServer::RecordedRequest& request = server.requests()[0];
    EXPECT_EQ(request.method, QByteArray("GET"));
    EXPECT_EQ(request.path, QStringLiteral("/api/v1/websites/team site/2/stats"));
    EXPECT_EQ(request.rawQuery, QByteArray("period=today"));
    EXPECT_EQ(request.header("Authorization"), QByteArray("Bearer df_live_9f8e"));
    EXPECT_EQ(shortTimeouts.requestedTimeouts, QList<std::chrono::milliseconds>{60s});
}

TEST_F(DatafastProviderOnRealServer, FailuresOverHttp) {
    storeCredentials("df_key", "site_1");
    const QByteArray path = "/api/v1/websites/site_1/stats";

    server.route("GET", path, LocalHttpServer::Response::json(401, R"({"error":"unauthorized"})"));
    EXPECT_EQ(outcomeOf(realProvider.fetchMetrics()),
              (Outcome{QStringLiteral("ProviderError"), QStringLiteral("Datafast API error")}));

    server.route("GET", path, LocalHttpServer::Response::text(200, "<html><body>Login</body></html>"));
    EXPECT_EQ(outcomeOf(realProvider.fetchMetrics()).kind, QStringLiteral("DecodingError"));

    server.route("GET", path, LocalHttpServer::Response::neverAnswer());
    EXPECT_EQ(outcomeOf(realProvider.fetchMetrics()),
              (Outcome{QStringLiteral("TransportError"), QStringLiteral("The request timed out.")}));

    server.close();
    const Outcome refused = outcomeOf(realProvider.fetchMetrics());
    EXPECT_EQ(refused.kind, QStringLiteral("TransportError"));
    EXPECT_FALSE(refused.description.isEmpty());
}

} // namespace
