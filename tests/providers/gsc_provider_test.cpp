#include "google/browser_opener.h"
#include "google/google_oauth_manager.h"
#include "model/credential_accounts.h"
#include "model/keychain_store.h"
#include "net/qt_http_client.h"
#include "net/service_endpoints.h"
#include "providers/decoding_error.h"
#include "providers/google/google_integration_service.h"
#include "providers/searchconsole/google_search_console_provider.h"
#include "providers/searchconsole/gsc_query_totals.h"
#include "support/fake_clock.h"
#include "support/local_http_server.h"
#include "support/memory_credential_store.h"
#include "support/qt_printers.h"
#include "support/run_task.h"
#include "support/scripted_http_client.h"
#include "support/scripted_random_source.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <gtest/gtest.h>

namespace {

QByteArray gscData(const char* name) {
    QFile file(QStringLiteral(ZINGBOARD_TEST_DATA_DIR "/google/") + QLatin1String(name));
    if (!file.open(QIODevice::ReadOnly))
        ADD_FAILURE() << "missing test data " << name;
    return file.readAll();
}

struct TotalsCase {
    const char* name;
    QByteArray body;
    double clicks;
    double impressions;
    double averagePosition;
    double ctr;
};

void PrintTo(const TotalsCase& c, std::ostream* os) {
    *os << c.name;
}

class GscTotalsTest : public ::testing::TestWithParam<TotalsCase> {};

TEST_P(GscTotalsTest, SumsRowsAndWeighsPositionByImpressions) {
    const TotalsCase& c = GetParam();
    const GscQueryTotals totals = GscQueryTotals::parse(c.body);
    EXPECT_DOUBLE_EQ(totals.clicks, c.clicks);
    EXPECT_DOUBLE_EQ(totals.impressions, c.impressions);
    EXPECT_DOUBLE_EQ(totals.averagePosition(), c.averagePosition);
    EXPECT_DOUBLE_EQ(totals.clickThroughRate(), c.ctr);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, GscTotalsTest,
    ::testing::Values(
        TotalsCase{"impressions_100_at_2_and_300_at_6", gscData("gsc_query.json"), 42, 400, 5, 10.5},
        TotalsCase{"row_without_position_lowers_the_average",
                   R"({"rows":[{"clicks":1,"impressions":100,"position":4},{"clicks":1,"impressions":100}]})",
                   2, 200, 2, 1},
        TotalsCase{
            "non_numbers_count_as_zero",
            R"({"rows":[{"clicks":"5","impressions":10,"position":null},{"clicks":3,"impressions":true}]})",
            3, 10, 0, 30},
        TotalsCase{"no_rows", R"({"responseAggregationType":"byProperty"})", 0, 0, 0, 0},
        TotalsCase{"rows_not_all_objects", R"({"rows":[{"clicks":5,"impressions":10},3]})", 0, 0, 0, 0},
        TotalsCase{"clicks_without_impressions", R"({"rows":[{"clicks":5,"impressions":0,"position":3}]})", 5,
                   0, 0, 0},
        TotalsCase{"not_an_object", "[]", 0, 0, 0, 0}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(GscQueryTotals, NotJsonIsAParserError) {
    EXPECT_THROW(GscQueryTotals::parse("<html>"), DecodingError);
}

TEST(GscQueryTotals, SixFiguresAndSummary) {
    const GscQueryTotals totals = GscQueryTotals::parse(gscData("gsc_query.json"));
    const QHash<MetricKind, double> expected{
        {MetricKind::clicks, 42}, {MetricKind::impressions, 400}, {MetricKind::avgPosition, 5},
        {MetricKind::ctr, 10.5},  {MetricKind::clicksToday, 1.5}, {MetricKind::impressionsToday, 400 / 28.0}};
    EXPECT_EQ(totals.values(), expected);
    EXPECT_EQ(totals.displaySummary(), QStringLiteral("42 clicks \u00b7 10.5% CTR (28d)"));
}

TEST(GoogleSearchConsoleProvider, SiteIsOneEncodedPathSegment) {
    const QString base = QStringLiteral("https://www.googleapis.com");
    const struct {
        QString site;
        QByteArray url;
    } cases[] = {
        {QStringLiteral("sc-domain:example.com"),
         "https://www.googleapis.com/webmasters/v3/sites/sc-domain:example.com/searchAnalytics/query"},
        {QStringLiteral("https://example.com/"),
         "https://www.googleapis.com/webmasters/v3/sites/https:%2F%2Fexample.com%2F/searchAnalytics/query"},
        {QStringLiteral("http://example.com/blog/?a=1#x"),
         "https://www.googleapis.com/webmasters/v3/sites/http:%2F%2Fexample.com%2Fblog%2F%3Fa%3D1%23x/"
         "searchAnalytics/"
         "query"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(GoogleSearchConsoleProvider::queryUrl(base, c.site).toEncoded(), c.url)
            << c.site.toStdString();
}

TEST(GoogleSearchConsoleProvider, DatesAreUtcCalendarDates) {
    // 23:30 in New York is already the next day in UTC; both ends follow UTC.
    FakeClock clock(QDateTime(QDate(2026, 3, 1), QTime(4, 30), Qt::UTC), QTimeZone("America/New_York"));
    const QJsonObject body = QJsonDocument::fromJson(GoogleSearchConsoleProvider::queryBody(clock)).object();
    EXPECT_EQ(body.value(QStringLiteral("endDate")).toString(), QStringLiteral("2026-03-01"));
    EXPECT_EQ(body.value(QStringLiteral("startDate")).toString(), QStringLiteral("2026-02-01"));
    EXPECT_EQ(body.value(QStringLiteral("dimensions")).toArray(), QJsonArray{QStringLiteral("date")});
    EXPECT_EQ(body.value(QStringLiteral("rowLimit")).toInt(), 28);
    EXPECT_EQ(body.size(), 4);
}

class NoBrowser final : public BrowserOpener {
public:
    bool openUrl(const QUrl&) override { return false; }
};

class GscProviderTest : public ::testing::Test {
protected:
    void connected(const char* site, qint64 tokenSecondsLeft = 3600) {
        TestTasks::run(keychain.save(QStringLiteral("1//rt"), CredentialAccounts::googleRefreshToken()));
        TestTasks::run(keychain.save(QStringLiteral("at-ok"), CredentialAccounts::googleAccessToken()));
        TestTasks::run(keychain.save(GoogleOAuthTokens::expiryText(clock.now().addSecs(tokenSecondsLeft)),
                                     CredentialAccounts::googleAccessTokenExpiresAt()));
        TestTasks::run(keychain.save(QString::fromUtf8(site), CredentialAccounts::gscSiteUrl()));
    }

    FakeClock clock;
    ScriptedHttpClient http;
    ScriptedRandomSource random;
    MemoryCredentialStore credentials;
    KeychainStore keychain{credentials};
    ServiceEndpoints endpoints;
    NoBrowser browser;
    GoogleOAuthManager oauth{http,   clock, random, endpoints, GoogleOAuthConfig{QStringLiteral("cid"), {}},
                             browser};
    GoogleIntegrationService google{http, keychain, clock, endpoints, oauth};
    GoogleSearchConsoleProvider provider{http, keychain, clock, endpoints, google};
};

TEST_F(GscProviderTest, QueriesTheSiteAndBuildsTheSnapshot) {
    connected("https://example.com/");
    http.enqueue(200, gscData("gsc_query.json"));
    const MetricSnapshot snapshot = TestTasks::run(provider.fetchMetrics());
    const HttpRequest& request = http.lastRequest();
    EXPECT_EQ(request.method, QByteArrayLiteral("POST"));
    EXPECT_EQ(request.url.toEncoded(), QByteArrayLiteral("https://www.googleapis.com/webmasters/v3/sites/"
                                                         "https:%2F%2Fexample.com%2F/searchAnalytics/query"));
    EXPECT_EQ(request.header("Authorization"), QByteArrayLiteral("Bearer at-ok"));
    EXPECT_EQ(request.header("Content-Type"), QByteArrayLiteral("application/json"));
    EXPECT_EQ(snapshot.provider, IntegrationProvider::googleSearchConsole);
    EXPECT_EQ(snapshot.values.size(), 6);
    EXPECT_EQ(snapshot.value(MetricKind::avgPosition), 5);
    EXPECT_EQ(snapshot.displaySummary, QStringLiteral("42 clicks \u00b7 10.5% CTR (28d)"));
    EXPECT_EQ(snapshot.fetchedAt, clock.now());
}

TEST_F(GscProviderTest, FailuresAndMissingConfiguration) {
    EXPECT_EQ(TestTasks::failureOf(provider.fetchMetrics()), QStringLiteral("Integration not configured."));
    connected("");
    EXPECT_EQ(TestTasks::failureOf(provider.fetchMetrics()), QStringLiteral("Integration not configured."));
    EXPECT_TRUE(http.requests().isEmpty());

    connected("sc-domain:example.com");
    http.enqueue(403, R"({"error":{"code":403,"message":"User does not have sufficient permission"}})");
    EXPECT_EQ(
        TestTasks::failureOf(provider.fetchMetrics()),
        QStringLiteral(R"({"error":{"code":403,"message":"User does not have sufficient permission"}})"));
    http.enqueue(502, QByteArray("\xff", 1));
    EXPECT_EQ(TestTasks::failureOf(provider.fetchMetrics()), QStringLiteral("GSC query failed"));
    http.enqueue(200, "<html>");
    EXPECT_THROW(TestTasks::run(provider.fetchMetrics()), DecodingError);
    EXPECT_TRUE(TestTasks::run(provider.fetchEvents(clock.now())).isEmpty());
}

TEST_F(GscProviderTest, RefreshFailureIsThePollsFailure) {
    connected("sc-domain:example.com", 100);
    http.enqueue(400, R"({"error":"invalid_grant","error_description":"Bad Request"})");
    EXPECT_EQ(TestTasks::failureOf(provider.fetchMetrics()),
              QStringLiteral(R"({"error":"invalid_grant","error_description":"Bad Request"})"));
    EXPECT_EQ(http.requests().size(), 1);
}

// Once against a real server: the encoded site reaches the server as one segment.
TEST(GscProviderOverHttp, QueryReachesALocalServer) {
    LocalHttpServer server;
    server.route("POST", "/webmasters/v3/sites/https:%2F%2Fexample.com%2F/searchAnalytics/query",
                 LocalHttpServer::Response::json(200, gscData("gsc_query.json")));
    ServiceEndpoints endpoints;
    endpoints.gscApiBase = server.baseUrl();
    QtHttpClient http;
    FakeClock clock;
    ScriptedRandomSource random;
    MemoryCredentialStore credentials;
    KeychainStore keychain(credentials);
    NoBrowser browser;
    GoogleOAuthManager oauth(http, clock, random, endpoints, GoogleOAuthConfig{QStringLiteral("cid"), {}},
                             browser);
    GoogleIntegrationService google(http, keychain, clock, endpoints, oauth);
    GoogleSearchConsoleProvider provider(http, keychain, clock, endpoints, google);
    TestTasks::run(keychain.save(QStringLiteral("rt"), CredentialAccounts::googleRefreshToken()));
    TestTasks::run(keychain.save(QStringLiteral("at"), CredentialAccounts::googleAccessToken()));
    TestTasks::run(keychain.save(GoogleOAuthTokens::expiryText(clock.now().addSecs(600)),
                                 CredentialAccounts::googleAccessTokenExpiresAt()));
    TestTasks::run(keychain.save(QStringLiteral("https://example.com/"), CredentialAccounts::gscSiteUrl()));

    const MetricSnapshot snapshot = TestTasks::run(provider.fetchMetrics());
    EXPECT_EQ(snapshot.value(MetricKind::clicks), 42);
    ASSERT_EQ(server.requests().size(), 1);
    EXPECT_EQ(
        QJsonDocument::fromJson(server.requests().first().body).object().value(QStringLiteral("endDate")),
        QJsonValue(QStringLiteral("2026-12-07")));
}

} // namespace
